#pragma once
// Reading a sound from the bytes of a WAV file into the mixer's own format:
// 16-bit mono samples at the mixing rate. Plain PCM only (8 or 16 bits, one
// or two channels, any rate in a sane range); everything else is refused.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rovenza {

// The rate every sound is mixed and played at.
constexpr std::uint32_t kMixRate = 22050;

// The rates a file may have; anything else is not taken for a sound.
constexpr std::uint32_t kLowestWavRate = 4000;
constexpr std::uint32_t kHighestWavRate = 192000;
// The longest sound kept, in seconds at the mixing rate: a longer file is
// refused rather than cut, so that a huge one costs no memory.
constexpr std::uint32_t kLongestSoundSeconds = 30;

enum class WavResult {
  Ok,
  NotWav,          // no RIFF/WAVE header, or no "fmt " before "data"
  NotPcm,          // compressed, float, or more than two channels
  BadFormat,       // bits per sample other than 8/16, a rate out of range, block size wrong
  Truncated,       // a chunk claims more bytes than the file holds
  TooLong,         // longer than kLongestSoundSeconds
};

struct Sound {
  std::vector<std::int16_t> samples;  // mono, at kMixRate
};

// Reads `size` bytes of a WAV file into `sound` (left empty unless Ok).
WavResult readWav(const unsigned char* data, std::size_t size, Sound& sound);

// The sound to play: the file's when `file` (may be null: no such file) reads
// as a sound, otherwise the built-in one's.
Sound chooseSound(const std::vector<unsigned char>* file, const unsigned char* builtIn, std::size_t builtInSize);

// Linear resampling of mono samples from `fromRate` to `toRate` (both > 0).
std::vector<std::int16_t> resample(const std::vector<std::int16_t>& samples, std::uint32_t fromRate,
                                   std::uint32_t toRate);

}  // namespace rovenza
