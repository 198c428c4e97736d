#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sound made and measured by the music tests: tones as 16-bit stereo at
// 44.1 kHz (the format of CD audio and of the player's output), written as WAV
// files, MP3 files or a CUE/BIN disc image, and read back from raw output.
namespace musictest {

constexpr int kRate = 44100;

// Interleaved stereo samples of a sine tone.
std::vector<int16_t> Tone(double hertz, double seconds, int16_t amplitude = 10000);

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples);

// Encodes a WAV file to MP3 with lame; false when that fails.
bool EncodeMp3(const std::string& wavPath, const std::string& mp3Path);

// Writes `cuePath` and `binPath` (same folder) holding one audio track per
// entry of `tracks`, each padded with silence to whole sectors. With
// `dataOnly` the one track is written as a data track instead.
bool WriteDiscImage(const std::string& cuePath, const std::string& binPath,
                    const std::vector<std::vector<int16_t>>& tracks, bool dataOnly = false);

std::vector<int16_t> ReadRawSamples(const std::string& path);

// Loudness of the left channel in consecutive windows, and which of the
// candidate frequencies is strongest in each (Goertzel filter).
struct SoundWindow {
  double rms = 0;
  double strongestHertz = 0;
};
std::vector<SoundWindow> Analyse(const std::vector<int16_t>& samples, double windowSeconds,
                                 const std::vector<double>& candidateHertz);

}  // namespace musictest
