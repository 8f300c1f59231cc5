#include "sound/Wav.h"

#include "common/ByteReader.h"

namespace rovenza {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::size_t kPcmFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;

struct Format {
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bits = 0;
};

// The "fmt " chunk's body, `size` bytes at the reader's position.
WavResult readFormat(ByteReader in, std::uint32_t size, Format& format) {
  std::uint16_t tag = 0;
  std::uint32_t byteRate = 0;
  if (size < kPcmFormatSize || !in.u16le(tag) || !in.u16le(format.channels) || !in.u32le(format.rate) ||
      !in.u32le(byteRate) || !in.u16le(format.blockAlign) || !in.u16le(format.bits)) {
    return WavResult::BadFormat;
  }
  if (tag == kFormatExtensible) {
    // The sub-format's first two bytes name the real format.
    std::uint16_t extra = 0;
    std::uint16_t validBits = 0;
    std::uint32_t channelMask = 0;
    std::uint16_t subFormat = 0;
    if (size < kExtensibleFormatSize || !in.u16le(extra) || !in.u16le(validBits) || !in.u32le(channelMask) ||
        !in.u16le(subFormat)) {
      return WavResult::BadFormat;
    }
    tag = subFormat;
  }
  if (tag != kFormatPcm || format.channels < 1 || format.channels > 2) return WavResult::NotPcm;
  if (format.bits != 8 && format.bits != 16) return WavResult::BadFormat;
  if (format.rate < kLowestWavRate || format.rate > kHighestWavRate) return WavResult::BadFormat;
  if (format.blockAlign != format.channels * (format.bits / 8)) return WavResult::BadFormat;
  return WavResult::Ok;
}

std::int16_t sampleAt(const unsigned char* p, std::uint16_t bits) {
  if (bits == 8) return static_cast<std::int16_t>((static_cast<int>(p[0]) - 128) * 256);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

std::vector<std::int16_t> monoSamples(const unsigned char* data, std::size_t frames, const Format& format) {
  std::vector<std::int16_t> mono(frames);
  const std::size_t bytesPerSample = format.bits / 8;
  for (std::size_t i = 0; i < frames; ++i) {
    const unsigned char* frame = data + i * format.blockAlign;
    int sum = 0;
    for (std::size_t c = 0; c < format.channels; ++c) sum += sampleAt(frame + c * bytesPerSample, format.bits);
    mono[i] = static_cast<std::int16_t>(sum / format.channels);
  }
  return mono;
}

}  // namespace

std::vector<std::int16_t> resample(const std::vector<std::int16_t>& samples, std::uint32_t fromRate,
                                   std::uint32_t toRate) {
  if (fromRate == toRate || samples.empty()) return samples;
  const std::uint64_t count = (static_cast<std::uint64_t>(samples.size()) * toRate + fromRate / 2) / fromRate;
  std::vector<std::int16_t> out(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < out.size(); ++i) {
    // Position i in source samples, as a whole part and a fraction of toRate.
    const std::uint64_t scaled = static_cast<std::uint64_t>(i) * fromRate;
    const std::size_t at = static_cast<std::size_t>(scaled / toRate);
    const std::int64_t fraction = static_cast<std::int64_t>(scaled % toRate);
    const std::int64_t a = samples[at < samples.size() ? at : samples.size() - 1];
    const std::int64_t b = samples[at + 1 < samples.size() ? at + 1 : samples.size() - 1];
    out[i] = static_cast<std::int16_t>(a + (b - a) * fraction / static_cast<std::int64_t>(toRate));
  }
  return out;
}

WavResult readWav(const unsigned char* data, std::size_t size, Sound& sound) {
  sound.samples.clear();
  ByteReader in(data, size);
  std::uint32_t riffSize = 0;
  if (!in.expect("RIFF", 4) || !in.u32le(riffSize) || !in.expect("WAVE", 4)) return WavResult::NotWav;
  Format format;
  bool haveFormat = false;
  for (;;) {
    std::uint32_t chunkSize = 0;
    const std::size_t chunkStart = in.position();
    // The file ended before a "data" chunk.
    if (!in.skip(4) || !in.u32le(chunkSize)) return WavResult::NotWav;
    if (chunkSize > in.remaining()) return WavResult::Truncated;
    ByteReader id(data, size);
    id.seek(chunkStart);
    if (id.expect("fmt ", 4)) {
      const WavResult result = readFormat(in, chunkSize, format);
      if (result != WavResult::Ok) return result;
      haveFormat = true;
    } else if (id.expect("data", 4)) {
      if (!haveFormat) return WavResult::NotWav;
      const std::size_t frames = chunkSize / format.blockAlign;
      if (static_cast<std::uint64_t>(frames) * kMixRate >
          static_cast<std::uint64_t>(kLongestSoundSeconds) * kMixRate * format.rate) {
        return WavResult::TooLong;
      }
      sound.samples = resample(monoSamples(data + in.position(), frames, format), format.rate, kMixRate);
      return WavResult::Ok;
    }
    // Chunks are padded to an even size; a pad byte missing at the very end is forgiven.
    const std::size_t padded = chunkSize + (chunkSize & 1u);
    if (!in.skip(padded < in.remaining() ? padded : in.remaining())) return WavResult::Truncated;
  }
}

Sound chooseSound(const std::vector<unsigned char>* file, const unsigned char* builtIn, std::size_t builtInSize) {
  Sound sound;
  if (file && readWav(file->data(), file->size(), sound) == WavResult::Ok) return sound;
  readWav(builtIn, builtInSize, sound);
  return sound;
}

}  // namespace rovenza
