#include "tests/frontend/music/support/test_audio.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

extern char** environ;

namespace musictest {

namespace {

constexpr int kSectorBytes = 2352;

void PutLittleEndian(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutSamples(std::ofstream& out, const std::vector<int16_t>& samples) {
  for (int16_t sample : samples) PutLittleEndian(out, static_cast<uint16_t>(sample), 2);
}

}  // namespace

std::vector<int16_t> Tone(double hertz, double seconds, int16_t amplitude) {
  auto frames = static_cast<size_t>(seconds * kRate);
  std::vector<int16_t> samples(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    auto value = static_cast<int16_t>(amplitude *
                                      std::sin(2 * M_PI * hertz * static_cast<double>(i) / kRate));
    samples[2 * i] = value;
    samples[2 * i + 1] = value;
  }
  return samples;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples) {
  std::ofstream out(path, std::ios::binary);
  auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  PutLittleEndian(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  // The format block's size, PCM, channels, rate, bytes a second and a frame, bits.
  for (auto [value, bytes] : std::initializer_list<std::pair<uint32_t, int>>{
           {16, 4}, {1, 2}, {2, 2}, {kRate, 4}, {kRate * 4, 4}, {4, 2}, {16, 2}}) {
    PutLittleEndian(out, value, bytes);
  }
  out.write("data", 4);
  PutLittleEndian(out, dataBytes, 4);
  PutSamples(out, samples);
  return static_cast<bool>(out);
}

bool EncodeMp3(const std::string& wavPath, const std::string& mp3Path) {
  std::string program = "lame";
  std::string quiet = "--quiet";
  std::vector<char*> argv = {program.data(), quiet.data(), const_cast<char*>(wavPath.c_str()),
                             const_cast<char*>(mp3Path.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "lame", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && std::filesystem::exists(mp3Path);
}

bool WriteDiscImage(const std::string& cuePath, const std::string& binPath,
                    const std::vector<std::vector<int16_t>>& tracks, bool dataOnly) {
  std::ofstream bin(binPath, std::ios::binary);
  std::ofstream cue(cuePath);
  cue << "FILE \"" << std::filesystem::path(binPath).filename().string() << "\" BINARY\n";
  size_t sector = 0;
  for (size_t t = 0; t < tracks.size(); ++t) {
    size_t minutes = sector / (75 * 60), seconds = sector / 75 % 60, frames = sector % 75;
    char line[96];
    std::snprintf(line, sizeof line, "  TRACK %02zu %s\n    INDEX 01 %02zu:%02zu:%02zu\n", t + 1,
                  dataOnly ? "MODE1/2352" : "AUDIO", minutes, seconds, frames);
    cue << line;
    std::vector<int16_t> samples = tracks[t];
    size_t sectorSamples = kSectorBytes / 2;
    samples.resize((samples.size() + sectorSamples - 1) / sectorSamples * sectorSamples, 0);
    PutSamples(bin, samples);
    sector += samples.size() / sectorSamples;
  }
  return static_cast<bool>(bin) && static_cast<bool>(cue);
}

std::vector<int16_t> ReadRawSamples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(),
              samples.size() * 2);  // little-endian, like this machine
  return samples;
}

std::vector<SoundWindow> Analyse(const std::vector<int16_t>& samples, double windowSeconds,
                                 const std::vector<double>& candidateHertz) {
  auto frames = static_cast<size_t>(windowSeconds * kRate);
  std::vector<SoundWindow> windows;
  for (size_t start = 0; (start + frames) * 2 <= samples.size(); start += frames) {
    SoundWindow window;
    double sum = 0;
    for (size_t i = start; i < start + frames; ++i)
      sum += static_cast<double>(samples[2 * i]) * samples[2 * i];
    window.rms = std::sqrt(sum / static_cast<double>(frames));
    double strongest = -1;
    for (double hertz : candidateHertz) {
      double coefficient = 2 * std::cos(2 * M_PI * hertz / kRate), previous = 0, beforePrevious = 0;
      for (size_t i = start; i < start + frames; ++i) {
        double next = samples[2 * i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = next;
      }
      double power = previous * previous + beforePrevious * beforePrevious -
                     coefficient * previous * beforePrevious;
      if (power > strongest) {
        strongest = power;
        window.strongestHertz = hertz;
      }
    }
    windows.push_back(window);
  }
  return windows;
}

}  // namespace musictest
