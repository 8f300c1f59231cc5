#include "sign/BitmapFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace rovenza {
namespace {

void put16(std::string& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}
void put32(std::string& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

struct BmpShape {
  std::uint32_t headerBytes = 40;
  std::int32_t width = 5;
  std::int32_t height = 3;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::uint32_t tableBytes = 0;  // what the file holds between header and pixels
  std::int64_t cutPixelBytes = 0;  // bytes taken off the end of the pixels
};

std::string bmpOf(const BmpShape& s) {
  // Never more than a few rows written: the headers say what the tests need.
  const std::uint64_t rows = std::min<std::int64_t>(16, s.height < 0 ? -std::int64_t{s.height} : s.height);
  const std::uint64_t columns = s.width > 0 ? static_cast<std::uint64_t>(s.width) : 1;
  const std::uint64_t stride = (columns * s.bits + 31) / 32 * 4;
  const std::uint32_t offset = 14 + s.headerBytes + s.tableBytes;
  std::string out(offset + stride * rows - s.cutPixelBytes, '\0');
  out[0] = 'B';
  out[1] = 'M';
  put32(out, 2, static_cast<std::uint32_t>(out.size()));
  put32(out, 10, offset);
  put32(out, 14, s.headerBytes);
  put32(out, 18, static_cast<std::uint32_t>(s.width));
  put32(out, 22, static_cast<std::uint32_t>(s.height));
  put16(out, 26, 1);
  put16(out, 28, s.bits);
  put32(out, 30, s.compression);
  put32(out, 46, s.coloursUsed);
  return out;
}

std::optional<BitmapFileLayout> layoutOf(const std::string& bytes) {
  return readBitmapFileLayout(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(BitmapFileLayout, PlainBitmapsGiveWhereTheirPixelsLie) {
  const auto rgb = layoutOf(bmpOf({}));
  ASSERT_TRUE(rgb);
  EXPECT_EQ(14u, rgb->infoOffset);
  EXPECT_EQ(40u, rgb->infoBytes);
  EXPECT_EQ(54u, rgb->bitsOffset);
  EXPECT_EQ(16u * 3, rgb->bitsBytes);  // 15 bytes a row padded to 16
  EXPECT_EQ(5, rgb->width);
  EXPECT_EQ(3, rgb->height);

  BmpShape topDown;
  topDown.height = -3;
  EXPECT_EQ(-3, layoutOf(bmpOf(topDown))->height);

  BmpShape palette;  // four bits a pixel, a full table of 16 colours
  palette.bits = 4;
  palette.tableBytes = 64;
  EXPECT_EQ(54u + 64u, layoutOf(bmpOf(palette))->bitsOffset);
  EXPECT_EQ(40u + 64u, layoutOf(bmpOf(palette))->infoBytes);

  BmpShape fewColours = palette;  // a table of only the colours used
  fewColours.coloursUsed = 3;
  fewColours.tableBytes = 12;
  EXPECT_TRUE(layoutOf(bmpOf(fewColours)));

  BmpShape masks;  // 16 bits with masks after a version 3 header
  masks.bits = 16;
  masks.compression = 3;
  masks.tableBytes = 12;
  EXPECT_TRUE(layoutOf(bmpOf(masks)));

  BmpShape v5;  // masks inside a version 5 header
  v5.headerBytes = 124;
  v5.bits = 32;
  v5.compression = 3;
  EXPECT_TRUE(layoutOf(bmpOf(v5)));

  BmpShape gap = {};  // pixels placed further on than the header ends
  gap.tableBytes = 100;
  EXPECT_EQ(154u, layoutOf(bmpOf(gap))->bitsOffset);
  EXPECT_EQ(40u, layoutOf(bmpOf(gap))->infoBytes);
}

TEST(BitmapFileLayout, AnythingNotPlainOrCutShortIsLeftToTheDecoder) {
  BmpShape core;
  core.headerBytes = 12;
  BmpShape rle;
  rle.bits = 8;
  rle.compression = 1;
  rle.tableBytes = 1024;
  BmpShape jpegInside;
  jpegInside.compression = 4;
  BmpShape cut;
  cut.cutPixelBytes = 1;
  BmpShape shortTable;
  shortTable.bits = 8;
  shortTable.tableBytes = 1020;  // 256 colours need 1024 bytes
  BmpShape tooManyColours;
  tooManyColours.bits = 1;
  tooManyColours.coloursUsed = 3;
  tooManyColours.tableBytes = 12;
  BmpShape masksWithoutMaskBytes;
  masksWithoutMaskBytes.bits = 16;
  masksWithoutMaskBytes.compression = 3;
  BmpShape masksOn24Bits;
  masksOn24Bits.compression = 3;
  masksOn24Bits.tableBytes = 12;
  BmpShape noWidth;
  noWidth.width = 0;
  BmpShape negativeWidth;
  negativeWidth.width = -4;
  BmpShape noRows;
  noRows.height = 0;
  BmpShape minimumHeight;
  minimumHeight.height = INT32_MIN;
  BmpShape oddDepth;
  oddDepth.bits = 7;
  for (const BmpShape& shape : {core, rle, jpegInside, cut, shortTable, tooManyColours, masksWithoutMaskBytes,
                                masksOn24Bits, noWidth, negativeWidth, noRows, minimumHeight, oddDepth}) {
    EXPECT_FALSE(layoutOf(bmpOf(shape))) << shape.headerBytes << " " << shape.bits << " " << shape.compression;
  }
  std::string hugeHeaders = bmpOf(BmpShape{});
  put32(hugeHeaders, 18, 1u << 30);
  put32(hugeHeaders, 22, 1u << 30);
  EXPECT_FALSE(layoutOf(hugeHeaders));
  std::string farPixels = bmpOf(BmpShape{});
  put32(farPixels, 10, 0xFFFFFFF0u);
  EXPECT_FALSE(layoutOf(farPixels));
  for (std::size_t length = 0; length < 54; ++length) {
    EXPECT_FALSE(layoutOf(bmpOf(BmpShape{}).substr(0, length))) << length;
  }
  EXPECT_FALSE(layoutOf("GIF89a and then some bytes that are not a bitmap at all, no."));
  EXPECT_FALSE(readBitmapFileLayout(nullptr, 0));
}

std::uint32_t u32At(const std::vector<unsigned char>& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= std::uint32_t{bytes[at + i]} << (8 * i);
  return v;
}

// A band's header is what GDI reads to convert the band's rows: the header
// and table the layout takes in, with the band's height, and no colour count
// that would send GDI past it.
TEST(BitmapBandHeader, CarriesTheBandsHeightAndNoTableBeyondTheCopy) {
  struct Case {
    const char* name;
    BmpShape shape;
    std::int32_t band;
    std::size_t bytes;            // the header's length
    std::uint32_t height;         // as the band's header gives it
    std::uint32_t coloursUsed;
  } cases[] = {
      {"24 bits naming 256 colours", {40, 5, 3, 24, 0, 256, 1024, 0}, 2, 40, 2, 0},
      {"32 bits naming 16 colours, top down", {40, 5, -3, 32, 0, 16, 64, 0}, 1, 40, 0xFFFFFFFFu, 0},
      {"16 bits with masks naming 2 colours", {40, 5, 3, 16, 3, 2, 12 + 8, 0}, 3, 52, 3, 0},
      {"8 bits keeps its 16-colour table", {40, 5, 3, 8, 0, 16, 64, 0}, 1, 40 + 64, 1, 16},
      {"version 5 header, 24 bits", {124, 5, 3, 24, 0, 7, 28, 0}, 3, 124, 3, 0},
  };
  for (const Case& c : cases) {
    const std::string file = bmpOf(c.shape);
    const auto* data = reinterpret_cast<const unsigned char*>(file.data());
    const auto layout = readBitmapFileLayout(data, file.size());
    ASSERT_TRUE(layout) << c.name;
    const std::vector<unsigned char> header = bitmapBandHeader(data, file.size(), *layout, c.band);
    ASSERT_EQ(c.bytes, header.size()) << c.name;
    EXPECT_EQ(c.height, u32At(header, kBitmapHeightField)) << c.name;
    EXPECT_EQ(c.coloursUsed, u32At(header, kBitmapColoursUsedField)) << c.name;
  }
  // A layout that does not lie in the bytes given gives no header.
  const std::string file = bmpOf({});
  const auto* data = reinterpret_cast<const unsigned char*>(file.data());
  const auto layout = readBitmapFileLayout(data, file.size());
  ASSERT_TRUE(layout);
  EXPECT_TRUE(bitmapBandHeader(data, 40, *layout, 1).empty());
  EXPECT_TRUE(bitmapBandHeader(nullptr, 0, *layout, 1).empty());
}

}  // namespace
}  // namespace rovenza
