#pragma once
// Builds the bytes of WAV files for the tests: a RIFF header, a "fmt " chunk
// and a "data" chunk, each part open to being made wrong on purpose.
#include <cstdint>
#include <string>
#include <vector>

namespace rovenza::test {

struct WavShape {
  std::uint16_t format = 1;  // PCM
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 16;
  std::int64_t blockAlign = -1;  // -1: channels * bits / 8
  std::vector<unsigned char> data;
  std::int64_t dataSizeClaim = -1;  // -1: data.size()
  bool formatFirst = true;
};

inline void put16(std::vector<unsigned char>& out, std::uint32_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
inline void put32(std::vector<unsigned char>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
inline void putText(std::vector<unsigned char>& out, const char* text) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(text[i]));
}

inline std::vector<unsigned char> wavBytes(const WavShape& shape) {
  const std::uint16_t align = static_cast<std::uint16_t>(
      shape.blockAlign >= 0 ? shape.blockAlign : shape.channels * (shape.bits / 8));
  std::vector<unsigned char> fmt;
  putText(fmt, "fmt ");
  put32(fmt, 16);
  put16(fmt, shape.format);
  put16(fmt, shape.channels);
  put32(fmt, shape.rate);
  put32(fmt, shape.rate * align);
  put16(fmt, align);
  put16(fmt, shape.bits);
  std::vector<unsigned char> data;
  putText(data, "data");
  put32(data, static_cast<std::uint32_t>(shape.dataSizeClaim >= 0 ? shape.dataSizeClaim : shape.data.size()));
  data.insert(data.end(), shape.data.begin(), shape.data.end());
  std::vector<unsigned char> out;
  putText(out, "RIFF");
  put32(out, static_cast<std::uint32_t>(4 + fmt.size() + data.size()));
  putText(out, "WAVE");
  const std::vector<unsigned char>& first = shape.formatFirst ? fmt : data;
  const std::vector<unsigned char>& second = shape.formatFirst ? data : fmt;
  out.insert(out.end(), first.begin(), first.end());
  out.insert(out.end(), second.begin(), second.end());
  return out;
}

// Little-endian bytes of 16-bit samples.
inline std::vector<unsigned char> pcm16(const std::vector<std::int16_t>& samples) {
  std::vector<unsigned char> out;
  for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
  return out;
}

}  // namespace rovenza::test
