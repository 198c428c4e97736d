// Times the front end started with /a (settings loaded, renderer checked, then the
// end of Main) against a bare Qt Widgets program, alternating runs of both, and
// prints the median wall time, their ratio and each one's peak memory; then the
// same start with a settings file of 16 MiB of line breaks beside a normal one.
// Usage: startup_bench [runs]   (uses $DISPLAY, or a private Xvfb when unset)
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/shared_names.h"
#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

extern char** environ;

namespace {

struct Measurement {
  double milliseconds = 0;
  long peakKilobytes = 0;
};

Measurement RunOnce(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  // The toolkit's warnings would only clutter the figures.
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (spawned != 0) return {};
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const auto end = std::chrono::steady_clock::now();
  return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
  std::unique_ptr<testsupport::XvfbServer> server;
  if (!getenv("DISPLAY")) {
    server = std::make_unique<testsupport::XvfbServer>(1280, 1024);
    setenv("DISPLAY", server->Display().c_str(), 1);
  }

  // The front end in a folder of its own, with a renderer stand-in and settings.
  std::string folder = (std::filesystem::temp_directory_path() / "veyora-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) return 1;
  const std::string frontEnd = folder + "/" + names::kFrontEndFile;
  std::filesystem::copy_file(testsupport::FrontEndPath(), frontEnd);
  std::ofstream(folder + "/" + names::kRendererFile) << "stand-in";
  std::ofstream(folder + "/" + names::kSettingsFile, std::ios::binary)
      << "[Section]\r\nBGM\x8B\xE6\x95\xAA= 1\r\nBGM\xD8\xCB\xDF\xB0\xC4= "
         "3\r\nBGM\xCC\xA7\xB2\xD9=\r\n";

  std::vector<double> frontEndTimes, bareTimes;
  long frontEndPeak = 0, barePeak = 0;
  RunOnce(frontEnd, {"/a"});  // warm the file cache for both
  RunOnce(BARE_QT_PROGRAM, {});
  for (int i = 0; i < runs; ++i) {
    const Measurement ours = RunOnce(frontEnd, {"/a"});
    const Measurement bare = RunOnce(BARE_QT_PROGRAM, {});
    frontEndTimes.push_back(ours.milliseconds);
    bareTimes.push_back(bare.milliseconds);
    frontEndPeak = std::max(frontEndPeak, ours.peakKilobytes);
    barePeak = std::max(barePeak, bare.peakKilobytes);
  }
  // A hostile settings file: the section, then line breaks up to the size limit.
  const std::string settingsPath = folder + "/" + names::kSettingsFile;
  std::ofstream(settingsPath, std::ios::binary | std::ios::trunc)
      << "[Section]" << std::string(16 * 1024 * 1024 - 16, '\n');
  std::vector<double> breakTimes;
  long breakPeak = 0;
  for (int i = 0; i < std::min(runs, 10); ++i) {
    const Measurement hostile = RunOnce(frontEnd, {"/a"});
    breakTimes.push_back(hostile.milliseconds);
    breakPeak = std::max(breakPeak, hostile.peakKilobytes);
  }
  std::filesystem::remove_all(folder);

  const double ours = Median(frontEndTimes), bare = Median(bareTimes);
  std::printf("runs each: %d\n", runs);
  std::printf("front end /a to the end of Main: median %.2f ms, peak memory %ld KiB\n", ours,
              frontEndPeak);
  std::printf("bare Qt Widgets program:          median %.2f ms, peak memory %ld KiB\n", bare,
              barePeak);
  std::printf("time ratio front end / bare Qt: %.3f\n", ours / bare);
  std::printf("memory ratio front end / bare Qt: %.3f\n",
              static_cast<double>(frontEndPeak) / static_cast<double>(barePeak));
  std::printf(
      "with 16 MiB of line breaks as settings file: median %.2f ms (%+.2f ms),"
      " peak memory %ld KiB (%+ld KiB)\n",
      Median(breakTimes), Median(breakTimes) - ours, breakPeak, breakPeak - frontEndPeak);
  return 0;
}
