#pragma once
// A bounds-checked reader over bytes held in memory: every read either gets
// all the bytes it asks for or fails and leaves the position where it was.
#include <cstddef>
#include <cstdint>

namespace rovenza {

class ByteReader {
 public:
  ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return size_ - position_; }

  // Moves to `position`; false (and no move) past the end.
  bool seek(std::size_t position) {
    if (position > size_) return false;
    position_ = position;
    return true;
  }
  bool skip(std::size_t count) { return count <= remaining() && seek(position_ + count); }

  // Copies up to `count` bytes into `out` (fewer at the end) and moves past
  // them; returns how many.
  std::size_t readUpTo(unsigned char* out, std::size_t count) {
    const std::size_t n = count < remaining() ? count : remaining();
    for (std::size_t i = 0; i < n; ++i) out[i] = data_[position_ + i];
    position_ += n;
    return n;
  }

  bool u8(std::uint8_t& value) {
    if (remaining() < 1) return false;
    value = data_[position_++];
    return true;
  }
  bool u16le(std::uint16_t& value) { return little(value); }
  bool u32le(std::uint32_t& value) { return little(value); }
  bool u16be(std::uint16_t& value) { return big(value); }
  bool u32be(std::uint32_t& value) { return big(value); }

  // Whether the next bytes are `text` (its length in bytes); moves past them
  // only when they are.
  bool expect(const char* text, std::size_t length) {
    if (remaining() < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
      if (data_[position_ + i] != static_cast<unsigned char>(text[i])) return false;
    }
    position_ += length;
    return true;
  }

 private:
  template <typename T>
  bool little(T& value) {
    if (remaining() < sizeof(T)) return false;
    T result = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) result = static_cast<T>(result | (T{data_[position_ + i]} << (8 * i)));
    position_ += sizeof(T);
    value = result;
    return true;
  }
  template <typename T>
  bool big(T& value) {
    if (remaining() < sizeof(T)) return false;
    T result = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) result = static_cast<T>((result << 8) | data_[position_ + i]);
    position_ += sizeof(T);
    value = result;
    return true;
  }

  const unsigned char* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace rovenza
