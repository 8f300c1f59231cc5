#include "sign/BitmapFile.h"

#include "common/ByteReader.h"

namespace rovenza {

namespace {

constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kV4Header = 108;
constexpr std::uint32_t kV5Header = 124;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kColourMasks = 3;   // BI_BITFIELDS

bool knownDepth(std::uint16_t bits, std::uint32_t compression) {
  if (compression == kColourMasks) return bits == 16 || bits == 32;
  return compression == kUncompressed &&
         (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

}  // namespace

std::optional<BitmapFileLayout> readBitmapFileLayout(const unsigned char* data, std::size_t size) {
  ByteReader in(data, size);
  std::uint32_t bitsOffset = 0;
  std::uint32_t headerBytes = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  if (!in.expect("BM", 2) || !in.seek(10) || !in.u32le(bitsOffset) || !in.u32le(headerBytes)) return std::nullopt;
  if (headerBytes != kInfoHeader && headerBytes != kV4Header && headerBytes != kV5Header) return std::nullopt;
  if (!in.u32le(width) || !in.u32le(height) || !in.u16le(planes) || !in.u16le(bits) || !in.u32le(compression) ||
      !in.skip(12) || !in.u32le(coloursUsed)) {
    return std::nullopt;
  }
  const auto signedWidth = static_cast<std::int32_t>(width);
  const auto signedHeight = static_cast<std::int32_t>(height);
  if (planes != 1 || !knownDepth(bits, compression) || signedWidth <= 0 || signedHeight == 0 ||
      signedHeight == INT32_MIN) {
    return std::nullopt;
  }

  // The colour table (or the masks of a version 3 header) follows the header.
  std::uint64_t tableBytes = 0;
  if (bits <= 8) {
    const std::uint64_t full = 1ull << bits;
    if (coloursUsed > full) return std::nullopt;
    tableBytes = 4 * (coloursUsed ? coloursUsed : full);
  } else if (compression == kColourMasks && headerBytes == kInfoHeader) {
    tableBytes = 12;
  }
  const std::uint64_t infoEnd = 14 + std::uint64_t{headerBytes} + tableBytes;
  const std::uint64_t rows = static_cast<std::uint64_t>(signedHeight < 0 ? -std::int64_t{signedHeight} : signedHeight);
  const std::uint64_t stride = (std::uint64_t{width} * bits + 31) / 32 * 4;
  const std::uint64_t bitsBytes = stride * rows;
  if (infoEnd > size || bitsOffset < infoEnd || bitsOffset > size || bitsBytes > size - bitsOffset) {
    return std::nullopt;
  }
  BitmapFileLayout layout;
  layout.infoOffset = 14;
  layout.infoBytes = static_cast<std::size_t>(infoEnd - 14);
  layout.bitsOffset = bitsOffset;
  layout.bitsBytes = static_cast<std::size_t>(bitsBytes);
  layout.width = signedWidth;
  layout.height = signedHeight;
  layout.bitsPerPixel = bits;
  return layout;
}

std::vector<unsigned char> bitmapBandHeader(const unsigned char* data, std::size_t size,
                                            const BitmapFileLayout& layout, std::int32_t bandRows) {
  if (!data || layout.infoBytes < kInfoHeader || layout.infoOffset > size || layout.infoBytes > size - layout.infoOffset) {
    return {};
  }
  std::vector<unsigned char> header(data + layout.infoOffset, data + layout.infoOffset + layout.infoBytes);
  const auto putU32le = [&header](std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) header[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  putU32le(kBitmapHeightField, static_cast<std::uint32_t>(layout.height < 0 ? -bandRows : bandRows));
  if (layout.bitsPerPixel > 8) putU32le(kBitmapColoursUsedField, 0);
  return header;
}

}  // namespace rovenza
