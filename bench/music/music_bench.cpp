// Prints the cost of the music player's timer steps against the real
// interpreter, and the process's CPU share while an MP3 plays for 10 s with
// the loop step every 1000 ms, as the saver run drives them; and what starting a
// large or low-rate WAV file costs.
// Uses SDL's silent "dummy" output unless SDL_AUDIODRIVER says otherwise.
#include <sys/resource.h>

#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <utility>

#include "frontend/music/quorin05_bgm.h"
#include "frontend/music/system_music_platform.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/child_process.h"
#include "tests/support/temporary_folder.h"

using namespace veyora::frontend;

namespace {

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Calls `step` `count` times, after `prepare` each time and spaced like timer
// ticks are, and prints the calling thread's CPU time per call.
template <typename Prepare, typename Step>
void MeasureStep(const char* name, int count, Prepare prepare, Step step) {
  double cpu = 0, worstWall = 0;
  for (int i = 0; i < count; ++i) {
    prepare();
    double before = ThreadCpuSeconds();
    auto start = std::chrono::steady_clock::now();
    step();
    worstWall = std::max(
        worstWall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cpu += ThreadCpuSeconds() - before;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::printf("%-34s %8.1f us CPU per call (mean of %d), worst wall %.1f us\n", name,
              cpu / count * 1e6, count, worstWall * 1e6);
}

void Nothing() {}

// A WAV file of `dataBytes` bytes of 8-bit mono sound at 1000 Hz.
void WriteLowRateWav(const std::string& path, uint32_t dataBytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return;
  const auto put32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, out); };
  const auto put16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, out); };
  std::fwrite("RIFF", 1, 4, out);
  put32(36 + dataBytes);
  std::fwrite("WAVEfmt ", 1, 8, out);
  put32(16);
  put16(1);     // PCM
  put16(1);     // mono
  put32(1000);  // samples a second
  put32(1000);  // bytes a second
  put16(1);     // bytes a frame
  put16(8);     // bits a sample
  std::fwrite("data", 1, 4, out);
  put32(dataBytes);
  for (uint32_t i = 0; i < dataBytes; ++i) std::fputc(i % 20 < 10 ? 64 : 192, out);
  std::fclose(out);
}

}  // namespace

int main() {
  setenv("SDL_AUDIODRIVER",
         std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "dummy", 1);
  testsupport::TemporaryFolder folder;

  std::vector<std::vector<int16_t>> tracks = {musictest::Tone(300, 20), musictest::Tone(600, 20),
                                              musictest::Tone(1200, 20)};
  musictest::WriteDiscImage(folder.File("disc.cue"), folder.File("disc.bin"), tracks);
  setenv("VEYORA_CDROM", folder.File("disc.cue").c_str(), 1);
  {
    Quorin05_BGM cd(std::make_unique<SystemMusicPlatform>(), Settings{1, 2, ""});
    cd.CD_Open();
    cd.CD_Poll();  // starts track 2
    const auto poll = [&] { cd.CD_Poll(); };
    MeasureStep("CD_Poll, track 2 playing", 200, Nothing, poll);
    MeasureStep(
        "CD_Poll, track 2 after track 1", 50, [&] { cd.MCI_Play("cdaudio", "01:00:00:00"); }, poll);
    cd.CD_Stop();
    cd.Shutdown();
  }
  {
    Quorin05_BGM disc(std::make_unique<SystemMusicPlatform>(), Settings{1, 0, ""});
    disc.CD_Open();
    disc.CD_Poll();
    MeasureStep("CD_Poll, whole disc playing", 200, Nothing, [&] { disc.CD_Poll(); });
    disc.CD_Stop();
    disc.Shutdown();
  }

  std::string wav = folder.File("tune.wav");
  const std::string mp3File = folder.File("tune.mp3");
  musictest::WriteWav(wav, musictest::Tone(700, 30));
  if (!musictest::EncodeMp3(wav, mp3File)) {
    std::printf("lame failed: no MP3 figures\n");
    return 1;
  }
  Quorin05_BGM mp3(std::make_unique<SystemMusicPlatform>(), Settings{2, 0, mp3File});
  mp3.MP3_Play();
  const auto loop = [&] { mp3.MP3_Loop(); };
  MeasureStep("MP3_Loop, playing", 200, Nothing, loop);
  MeasureStep(
      "MP3_Loop, stopped (restarts)", 50,
      [&] {
        std::string reply;
        mp3.MCI_Send("stop MP3Play", reply);
      },
      loop);

  // The saver run's share: an MP3 playing for 10 s, its loop step every 1000 ms.
  double cpuBefore = ProcessCpuSeconds();
  auto start = std::chrono::steady_clock::now();
  mp3.MCI_Play("MP3Play", "0");
  for (int tick = 1; tick <= 10; ++tick) {
    std::this_thread::sleep_until(start + std::chrono::seconds(tick));
    mp3.MP3_Loop();
  }
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  double cpu = ProcessCpuSeconds() - cpuBefore;
  std::printf("MP3 playing %.1f s: %.3f s CPU, %.2f %% of one core (audio driver %s)\n", wall, cpu,
              100 * cpu / wall, std::getenv("SDL_AUDIODRIVER"));
  mp3.MP3_Stop();
  mp3.Shutdown();

  // WAV files are streamed: how long WAV_Play holds the GUI thread, and the
  // process's memory while a file plays, for a 64 MiB CD-quality file and for an
  // 8 MiB file of 8-bit mono sound at 1 kHz (44 times as much once converted).
  const std::string cdQuality = folder.File("cd-quality.wav");
  musictest::WriteWav(cdQuality,
                      musictest::Tone(440, (64.0 * 1024 * 1024 - 44) / (musictest::kRate * 4)));
  const std::string lowRate = folder.File("low-rate.wav");
  WriteLowRateWav(lowRate, 8 * 1024 * 1024);
  for (const auto& [label, file] :
       {std::pair<const char*, std::string>{"64 MiB CD-quality", cdQuality},
        {"8 MiB 8-bit mono 1 kHz", lowRate}}) {
    Quorin05_BGM wave(std::make_unique<SystemMusicPlatform>(), Settings{2, 0, file});
    const long before = testsupport::ProcessStatusKiB(getpid(), "VmRSS");
    auto wavStart = std::chrono::steady_clock::now();
    wave.WAV_Play();
    double wavWall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wavStart).count();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long playing = testsupport::ProcessStatusKiB(getpid(), "VmRSS");
    std::printf(
        "WAV_Play of a %s file: %.1f ms; resident %ld KiB before, %ld KiB while playing,"
        " peak so far %ld KiB\n",
        label, wavWall * 1e3, before, playing, testsupport::ProcessStatusKiB(getpid(), "VmHWM"));
    wave.WAV_Stop();
    wave.Shutdown();
  }
  return 0;
}
