// Prints what the renderer costs beside a bare program drawing the same picture
// (bare_gl_program, replaying a minute of the scene's sprites), both as real programs on private
// virtual X servers with the software rasterizer, taking turns: at 1280 x 720, at 1920 x 1080, on a
// 2560 x 720 screen split into two 1280 x 720 RandR monitors (where the bare program draws one
// window over both, a glow in each half), and at 3840 x 2160. Each program is measured over its
// first 10 s and over 10 s after its first 60 s. Frames are counted by the X server, per monitor:
// its damage reports, those that come within a few milliseconds of each other taken as one frame,
// since the renderer shows only the parts of a frame that changed. CPU is the program's own, per
// pixel of the frames it showed (a monitor's pixels per frame), and the X server's beside it; then
// the share of each monitor's pixels the X server was given per frame, and the share of each view
// the renderer's fade touched, worked out by replaying the renderer's own scene and fade region
// for the frames measured. Then the share of black pixels after 60 s of the renderer at 960 x 540.
// The screens include 640 x 360, where the machine can draw every refresh, for the frame rate the
// display sets.
// Figures are medians over the rounds; on a machine shared with other work they still vary by some
// percent from run to run.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/renderer/scene_recording.h"
#include "renderer/gl/fade_region.h"
#include "renderer/gl/fade_settling.h"
#include "renderer/gl/picture_keeping.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/glow_scene.h"
#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

namespace {

constexpr int kRounds = 3;
constexpr double kMeasureSeconds = 10.0;
// The second measured stretch starts this long after the program.
constexpr double kLaterStart = 60.0;
constexpr double kBlackShareSeconds = 60.0;
// Damage reports of one monitor this close together (in the server's milliseconds)
// belong to one frame.
constexpr unsigned long kFrameGapMs = 4;

// The renderer program measured: the one built beside the benchmark, or another
// build given on the command line.
std::string gRendererPath;

std::string RendererPath() {
  return gRendererPath.empty() ? testsupport::RendererPath() : gRendererPath;
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Area {
  int x, y, width, height;
};

// A screen and the monitors it is split into.
struct Setup {
  const char* name;
  int width, height;
  std::vector<Area> monitors;
};

// Counts, per monitor, the pixels the X server reports drawn on the screen.
class DamageCounter {
 public:
  DamageCounter(Display* display, std::vector<Area> monitors)
      : display_(display),
        monitors_(std::move(monitors)),
        drawn_(monitors_.size(), 0.0),
        frames_(monitors_.size(), 0),
        lastReport_(monitors_.size(), 0) {
    int errorBase = 0;
    XDamageQueryExtension(display_, &eventBase_, &errorBase);
    damage_ = XDamageCreate(display_, DefaultRootWindow(display_), XDamageReportRawRectangles);
    XSync(display_, False);
  }
  ~DamageCounter() { XDamageDestroy(display_, damage_); }

  // Takes in the reports that arrive within `seconds`.
  void Collect(double seconds) {
    const double end = Now() + seconds;
    for (double now = Now(); now < end; now = Now()) {
      while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type != eventBase_ + XDamageNotify) continue;
        const auto& notice = reinterpret_cast<XDamageNotifyEvent&>(event);
        for (std::size_t i = 0; i < monitors_.size(); ++i) {
          const double overlap = Overlap(monitors_[i], notice.area);
          if (overlap <= 0.0) continue;
          drawn_[i] += overlap;
          if (notice.timestamp - lastReport_[i] > kFrameGapMs) ++frames_[i];
          lastReport_[i] = notice.timestamp;
        }
      }
      pollfd fd{ConnectionNumber(display_), POLLIN, 0};
      poll(&fd, 1, static_cast<int>((end - now) * 1000) + 1);
    }
  }

  void Reset() {
    std::fill(drawn_.begin(), drawn_.end(), 0.0);
    std::fill(frames_.begin(), frames_.end(), 0);
  }
  // Pixels reported drawn on the monitor, and the frames they came in.
  double Drawn(std::size_t monitor) const { return drawn_[monitor]; }
  long Frames(std::size_t monitor) const { return frames_[monitor]; }

 private:
  static double Overlap(const Area& a, const XRectangle& r) {
    const int w = std::min(a.x + a.width, r.x + r.width) - std::max<int>(a.x, r.x);
    const int h = std::min(a.y + a.height, r.y + r.height) - std::max<int>(a.y, r.y);
    return w > 0 && h > 0 ? static_cast<double>(w) * h : 0.0;
  }

  Display* display_;
  std::vector<Area> monitors_;
  std::vector<double> drawn_;
  std::vector<long> frames_;
  std::vector<Time> lastReport_;
  int eventBase_ = 0;
  Damage damage_ = 0;
};

// What one program did over the measured time.
struct Sample {
  std::vector<double> fps;         // per monitor
  std::vector<double> shownShare;  // per monitor: of its pixels, given to the server per frame
  std::vector<double> firstFrame;  // per monitor: frames shown before the stretch
  double cpuNsPerPixel = 0.0;
  double serverNsPerPixel = 0.0;
  double cpuShare = 0.0;  // of one core
};

// Both stretches of one run of a program.
struct RunSamples {
  Sample first, later;
};

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::unique_ptr<testsupport::ChildProcess> Start(const std::string& display,
                                                 const std::vector<std::string>& command) {
  return std::make_unique<testsupport::ChildProcess>(
      command.front(), std::vector<std::string>(command.begin() + 1, command.end()),
      std::map<std::string, std::string>{{"DISPLAY", display}, {"LIBGL_ALWAYS_SOFTWARE", "1"}});
}

void End(testsupport::ChildProcess& program) {
  program.Signal(SIGTERM);
  if (!program.WaitExit(5000)) program.Signal(SIGKILL);
  program.WaitExit(5000);
}

// What the program did over `seconds` from now, counted from `framesBefore` frames
// per monitor on.
Sample MeasureStretch(pid_t program, pid_t server, DamageCounter& damage, const Setup& setup,
                      double seconds, const std::vector<long>& framesBefore) {
  damage.Reset();
  const double cpu0 = testsupport::ProcessCpuSeconds(program);
  const double server0 = testsupport::ProcessCpuSeconds(server);
  const double t0 = Now();
  damage.Collect(seconds);
  const double elapsed = Now() - t0;
  const double cpu = testsupport::ProcessCpuSeconds(program) - cpu0;
  const double serverCpu = testsupport::ProcessCpuSeconds(server) - server0;
  Sample s;
  double pixels = 0.0;
  for (std::size_t i = 0; i < setup.monitors.size(); ++i) {
    const Area& m = setup.monitors[i];
    const double area = static_cast<double>(m.width) * m.height;
    const auto frames = static_cast<double>(damage.Frames(i));
    s.fps.push_back(frames / elapsed);
    s.shownShare.push_back(frames > 0 ? damage.Drawn(i) / (frames * area) : 0.0);
    s.firstFrame.push_back(static_cast<double>(framesBefore[i]));
    pixels += frames * area;
  }
  pixels = std::max(pixels, 1.0);
  s.cpuNsPerPixel = cpu / pixels * 1e9;
  s.serverNsPerPixel = serverCpu / pixels * 1e9;
  s.cpuShare = cpu / elapsed;
  return s;
}

RunSamples Measure(const std::string& display, pid_t server, DamageCounter& damage,
                   const Setup& setup, const std::vector<std::string>& command) {
  damage.Reset();
  auto program = Start(display, command);
  const std::vector<long> none(setup.monitors.size(), 0);
  RunSamples run;
  run.first = MeasureStretch(program->Pid(), server, damage, setup, kMeasureSeconds, none);
  std::vector<long> before(setup.monitors.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    before[i] = static_cast<long>(run.first.fps[i] * kMeasureSeconds);
  }
  damage.Reset();
  damage.Collect(kLaterStart - kMeasureSeconds);
  for (std::size_t i = 0; i < before.size(); ++i) before[i] += damage.Frames(i);
  run.later = MeasureStretch(program->Pid(), server, damage, setup, kMeasureSeconds, before);
  End(*program);
  return run;
}

// The share of a view the renderer's fade touches per frame, on average over the
// frames [first, last) of a scene seeded as the renderer seeds its own, with the
// time: the renderer's fade region, fed by its scene, as the software rasterizer
// on a virtual display keeps the picture (8 bits, stepping down).
double FadedShare(int width, int height, long first, long last) {
  const veyora::SceneParameters parameters;
  veyora::FadeArithmetic arithmetic;
  arithmetic.alpha = veyora::FadeAlpha(parameters.FadeStrength);
  arithmetic.stepDownEvery = veyora::kFadeStepFrames;
  veyora::FadeRegion region(width, height, veyora::FadesUntilSettled(arithmetic));
  struct Noting final : veyora::SpriteSink {
    veyora::FadeRegion* region;
    int width, height;
    float halfSize;
    void DrawSprite(const std::array<float, 3>& /*rgb*/, float x, float y, float z,
                    float scale) override {
      region->MarkDrawn(veyora::SpriteFootprint(width, height, x, y, z, halfSize * scale));
    }
  } noting;
  noting.region = &region;
  noting.width = width;
  noting.height = height;
  noting.halfSize = veyora::SpriteHalfSize(parameters.SpriteSize);
  veyora::GlowScene scene =
      veyora::CreateScene(parameters, static_cast<std::uint32_t>(std::time(nullptr)));
  double sum = 0.0;
  for (long frame = 0; frame < last; ++frame) {
    region.StartFrame();
    if (frame >= first) sum += region.FadedShare();
    veyora::AdvanceScene(scene, noting);
  }
  return last > first ? sum / static_cast<double>(last - first) : 0.0;
}

void SplitIntoMonitors(const std::string& display, const Setup& setup) {
  if (setup.monitors.size() < 2) return;
  for (std::size_t i = 0; i < setup.monitors.size(); ++i) {
    const Area& m = setup.monitors[i];
    // The first takes the place of the screen's own monitor.
    const std::string command = "DISPLAY=" + display + " xrandr --setmonitor bench" +
                                std::to_string(i) + " " + std::to_string(m.width) + "/300x" +
                                std::to_string(m.height) + "/170+" + std::to_string(m.x) + "+" +
                                std::to_string(m.y) + (i == 0 ? " screen" : " none");
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  }
}

// One line per program: per monitor, its frame rate, the share of its pixels given
// to the server per frame and, with `replayFade`, the share the fade touched
// (replayed for the first round's frames); then the CPU figures.
void PrintSamples(const char* who, const std::vector<Sample>& samples, const Setup& setup,
                  bool replayFade) {
  std::printf("  %-9s", who);
  const std::size_t monitors = samples.front().fps.size();
  for (std::size_t m = 0; m < monitors; ++m) {
    std::vector<double> fps, shown;
    for (const Sample& s : samples) {
      fps.push_back(s.fps[m]);
      shown.push_back(s.shownShare[m]);
    }
    std::printf(" %5.1f fps (%3.0f %% shown", Median(fps), Median(shown) * 100.0);
    if (replayFade) {
      const Sample& s = samples.front();
      const long first = static_cast<long>(s.firstFrame[m]);
      const long frames = static_cast<long>(s.fps[m] * kMeasureSeconds);
      std::printf(", %3.0f %% faded", FadedShare(setup.monitors[m].width, setup.monitors[m].height,
                                                 first, first + frames) *
                                          100.0);
    }
    std::printf(")");
  }
  std::vector<double> cpu, server, share;
  for (const Sample& s : samples) {
    cpu.push_back(s.cpuNsPerPixel);
    server.push_back(s.serverNsPerPixel);
    share.push_back(s.cpuShare);
  }
  std::printf("  %6.2f ns CPU/pixel (rounds:", Median(cpu));
  for (double c : cpu) std::printf(" %.2f", c);
  std::printf(")  X server %5.2f ns/pixel  %3.0f %% of a core\n", Median(server),
              Median(share) * 100.0);
}

void PrintStretch(const char* name, const Setup& setup, const std::vector<Sample>& bare,
                  const std::vector<Sample>& renderer) {
  std::printf(" %s:\n", name);
  PrintSamples("bare", bare, setup, false);
  PrintSamples("renderer", renderer, setup, true);
  std::vector<double> ratios;
  for (std::size_t i = 0; i < bare.size() && i < renderer.size(); ++i) {
    ratios.push_back(renderer[i].cpuNsPerPixel / bare[i].cpuNsPerPixel);
  }
  std::printf("  CPU per pixel, renderer / bare: %.2f (rounds:", Median(ratios));
  for (double r : ratios) std::printf(" %.2f", r);
  std::printf(")\n");
}

void CompareOn(const Setup& setup, const bench::SceneRecording& recording) {
  testsupport::XvfbServer server(setup.width, setup.height);
  if (!server.Running()) {
    std::fprintf(stderr, "cannot start Xvfb\n");
    return;
  }
  const std::string display = server.Display();
  SplitIntoMonitors(display, setup);
  Display* x = XOpenDisplay(display.c_str());
  if (!x) return;
  std::vector<RunSamples> bareRuns, rendererRuns;
  {
    DamageCounter damage(x, setup.monitors);
    // The bare program at the niceness the renderer gives itself.
    const std::vector<std::string> bare = {"/usr/bin/nice",
                                           "-n",
                                           "10",
                                           BARE_GL_PROGRAM,
                                           std::to_string(setup.width),
                                           std::to_string(setup.height),
                                           recording.Path(),
                                           std::to_string(setup.monitors.size())};
    const std::vector<std::string> renderer = {RendererPath()};
    for (int round = 0; round < kRounds; ++round) {
      // Taking turns at going first.
      if (round % 2 == 0) bareRuns.push_back(Measure(display, server.Pid(), damage, setup, bare));
      rendererRuns.push_back(Measure(display, server.Pid(), damage, setup, renderer));
      if (round % 2 == 1) bareRuns.push_back(Measure(display, server.Pid(), damage, setup, bare));
    }
  }
  XCloseDisplay(x);
  std::printf("%s, %d rounds of %.0f s each:\n", setup.name, kRounds, kMeasureSeconds);
  auto firsts = [](const std::vector<RunSamples>& runs) {
    std::vector<Sample> samples;
    for (const RunSamples& r : runs) samples.push_back(r.first);
    return samples;
  };
  auto laters = [](const std::vector<RunSamples>& runs) {
    std::vector<Sample> samples;
    for (const RunSamples& r : runs) samples.push_back(r.later);
    return samples;
  };
  PrintStretch("the first 10 s", setup, firsts(bareRuns), firsts(rendererRuns));
  PrintStretch("10 s after the first 60 s", setup, laters(bareRuns), laters(rendererRuns));
}

// The share of wholly black pixels on the screen after the renderer ran for a while.
void ReportBlackShare() {
  constexpr int kWidth = 960, kHeight = 540;
  testsupport::XvfbServer server(kWidth, kHeight);
  if (!server.Running()) return;
  auto renderer = Start(server.Display(), {RendererPath()});
  std::this_thread::sleep_for(std::chrono::duration<double>(kBlackShareSeconds));
  Display* x = XOpenDisplay(server.Display().c_str());
  if (!x) return;
  XImage* image = XGetImage(x, DefaultRootWindow(x), 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
  long black = 0;
  for (int row = 0; image && row < kHeight; ++row) {
    for (int column = 0; column < kWidth; ++column) {
      black += (XGetPixel(image, column, row) & 0xFFFFFF) == 0;
    }
  }
  if (image) XDestroyImage(image);
  XCloseDisplay(x);
  End(*renderer);
  std::printf("black share after %.0f s at %dx%d: %.1f %% (goal >= 60 %%)\n", kBlackShareSeconds,
              kWidth, kHeight, 100.0 * black / (kWidth * kHeight));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<Setup> setups = {
      {"1280x720, one monitor", 1280, 720, {{0, 0, 1280, 720}}},
      {"1920x1080, one monitor", 1920, 1080, {{0, 0, 1920, 1080}}},
      {"2560x720 as two 1280x720 monitors", 2560, 720, {{0, 0, 1280, 720}, {1280, 0, 1280, 720}}},
      {"3840x2160, one monitor", 3840, 2160, {{0, 0, 3840, 2160}}},
      // Small enough for this machine to draw every refresh: the frame rate the
      // display sets.
      {"640x360, one monitor", 640, 360, {{0, 0, 640, 360}}},
  };
  // `display_bench N` runs only the N-th screen (1-based), `display_bench black` only
  // the black share, `display_bench all`, everything; a path after it measures that
  // renderer program instead of the one built here.
  std::string only = argc > 1 ? argv[1] : "";
  if (only == "all") only.clear();
  if (argc > 2) gRendererPath = argv[2];
  // A minute of the scene's frames, the bare program's picture.
  const bench::SceneRecording recording(3600);
  for (std::size_t i = 0; i < setups.size(); ++i) {
    if (only.empty() || only == std::to_string(i + 1)) CompareOn(setups[i], recording);
    std::fflush(stdout);
  }
  if (only.empty() || only == "black") ReportBlackShare();
  return 0;
}
