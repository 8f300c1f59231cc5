#include "sign/PictureSize.h"

#include <algorithm>

#include "common/ByteReader.h"

namespace rovenza {

namespace {

std::uint32_t magnitude(std::uint32_t raw) {
  const auto value = static_cast<std::int64_t>(static_cast<std::int32_t>(raw));
  return static_cast<std::uint32_t>(value < 0 ? -value : value);
}

// File header, then the size of the information header that follows it: a
// core header holds 16-bit sizes, every later one signed 32-bit sizes (a
// negative height stores the rows from the top).
bool readBmpSize(ByteReader& in, PictureSize& size) {
  std::uint32_t headerBytes = 0;
  if (!in.seek(14) || !in.u32le(headerBytes)) return false;
  if (headerBytes == 12) {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    if (!in.u16le(width) || !in.u16le(height)) return false;
    size.width = width;
    size.height = height;
    return true;
  }
  if (headerBytes < 16) return false;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  if (!in.u32le(width) || !in.u32le(height)) return false;
  size.width = magnitude(width);
  size.height = magnitude(height);
  return true;
}

// Skips the data sub-blocks of a GIF extension, up to its empty block.
bool skipGifSubBlocks(ByteReader& in) {
  for (;;) {
    std::uint8_t length = 0;
    if (!in.u8(length)) return false;
    if (length == 0) return true;
    if (!in.skip(length)) return false;
  }
}

bool skipGifColourTable(ByteReader& in, std::uint8_t flags) {
  if (!(flags & 0x80)) return true;
  return in.skip(3u << ((flags & 0x07) + 1));
}

// The logical screen; then, when the blocks lead to it, the first image,
// which may reach beyond the screen.
bool readGifSize(ByteReader& in, PictureSize& size) {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t flags = 0;
  if (!in.seek(6) || !in.u16le(width) || !in.u16le(height) || !in.u8(flags) || !in.skip(2)) return false;
  size.width = width;
  size.height = height;
  if (!skipGifColourTable(in, flags)) return true;
  for (;;) {
    std::uint8_t block = 0;
    if (!in.u8(block)) return true;
    if (block == 0x21) {
      if (!in.skip(1) || !skipGifSubBlocks(in)) return true;
      continue;
    }
    if (block != 0x2C) return true;
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    if (!in.u16le(left) || !in.u16le(top) || !in.u16le(width) || !in.u16le(height)) return true;
    size.width = std::max<std::uint32_t>(size.width, std::uint32_t{left} + width);
    size.height = std::max<std::uint32_t>(size.height, std::uint32_t{top} + height);
    return true;
  }
}

bool isFrameHeader(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The markers after the start of image, as a JPEG decoder reads them: bytes
// before a marker that are not one are passed over, and the first frame
// header gives the size. The start of the scan or the end of the image
// before any frame header leaves it unknown.
bool readJpegSize(ByteReader& in, PictureSize& size) {
  if (!in.seek(2)) return false;
  for (;;) {
    std::uint8_t byte = 0;
    do {
      if (!in.u8(byte)) return false;
    } while (byte != 0xFF);
    do {
      if (!in.u8(byte)) return false;
    } while (byte == 0xFF);
    if (byte == 0x00 || byte == 0x01 || (byte >= 0xD0 && byte <= 0xD7)) continue;
    if (byte == 0xD8 || byte == 0xD9 || byte == 0xDA) return false;
    std::uint16_t length = 0;
    if (!in.u16be(length) || length < 2) return false;
    if (isFrameHeader(byte)) {
      std::uint8_t precision = 0;
      std::uint16_t height = 0;
      std::uint16_t width = 0;
      if (!in.u8(precision) || !in.u16be(height) || !in.u16be(width)) return false;
      size.width = width;
      size.height = height;
      return true;
    }
    if (!in.skip(length - 2u)) return false;
  }
}

bool readPngSize(ByteReader& in, PictureSize& size) {
  std::uint32_t chunkBytes = 0;
  return in.seek(8) && in.u32be(chunkBytes) && in.expect("IHDR", 4) && in.u32be(size.width) &&
         in.u32be(size.height);
}

}  // namespace

PictureSize readPictureSize(const unsigned char* data, std::size_t size) {
  PictureSize result;
  ByteReader in(data, size);
  if (in.expect("BM", 2)) {
    result.format = PictureFormat::Bmp;
    result.known = readBmpSize(in, result);
  } else if (in.expect("GIF", 3)) {
    result.format = PictureFormat::Gif;
    result.known = readGifSize(in, result);
  } else if (in.expect("\xFF\xD8", 2)) {
    result.format = PictureFormat::Jpeg;
    result.known = readJpegSize(in, result);
  } else if (in.expect("\x89PNG\r\n\x1A\n", 8)) {
    result.format = PictureFormat::Png;
    result.known = readPngSize(in, result);
  }
  if (!result.known) {
    result.width = 0;
    result.height = 0;
  }
  return result;
}

bool pictureWithinCeiling(const unsigned char* data, std::size_t size) {
  const PictureSize picture = readPictureSize(data, size);
  return picture.known && std::uint64_t{picture.width} * picture.height <= kMaxPicturePixels;
}

}  // namespace rovenza
