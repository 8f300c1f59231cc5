#include "sign/PictureSize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rovenza {
namespace {

std::string le16(std::uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string le32(std::uint32_t v) { return le16(v) + le16(v >> 16); }
std::string be16(std::uint32_t v) { return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)}; }
std::string be32(std::uint32_t v) { return be16(v >> 16) + be16(v); }

std::string bmp(std::uint32_t headerBytes, std::int32_t width, std::int32_t height) {
  std::string file = "BM" + le32(0) + le32(0) + le32(54) + le32(headerBytes);
  if (headerBytes == 12) return file + le16(static_cast<std::uint32_t>(width)) + le16(static_cast<std::uint32_t>(height)) + le32(1);
  return file + le32(static_cast<std::uint32_t>(width)) + le32(static_cast<std::uint32_t>(height)) + le16(1) + le16(24);
}

// A GIF with a global colour table of 4 entries, a comment and a graphic
// control extension, then an image at (left, top).
std::string gif(std::uint32_t screenW, std::uint32_t screenH, std::uint32_t left, std::uint32_t top, std::uint32_t w,
                std::uint32_t h) {
  std::string file = "GIF89a" + le16(screenW) + le16(screenH) + "\x81" + std::string(2, '\0') + std::string(12, 'c');
  file += std::string("\x21\xFE\x03" "abc" "\x02" "xy" "\x00", 10);
  file += std::string("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);
  return file + "\x2C" + le16(left) + le16(top) + le16(w) + le16(h) + std::string(1, '\0');
}

std::string segment(unsigned char marker, const std::string& body) {
  return std::string("\xFF") + static_cast<char>(marker) + be16(static_cast<std::uint32_t>(body.size() + 2)) + body;
}

std::string jpeg(std::uint32_t width, std::uint32_t height, unsigned char frameMarker = 0xC0) {
  return std::string("\xFF\xD8", 2) + segment(0xE0, "JFIF" + std::string(10, '\0')) +
         segment(0xDB, std::string(65, '\x01')) + segment(frameMarker, "\x08" + be16(height) + be16(width) + "\x01\x01\x11\x00");
}

std::string png(std::uint32_t width, std::uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n", 8) + be32(13) + "IHDR" + be32(width) + be32(height) + "\x08\x02" +
         std::string(3, '\0');
}

struct SizeCase {
  const char* name;
  std::string bytes;
  PictureFormat format;
  bool known;
  std::uint32_t width;
  std::uint32_t height;
  bool decodable;
};

class PictureSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PictureSizeTest, ReadsTheHeadersOnly) {
  const SizeCase& c = GetParam();
  const auto* data = reinterpret_cast<const unsigned char*>(c.bytes.data());
  const PictureSize size = readPictureSize(data, c.bytes.size());
  EXPECT_EQ(c.format, size.format);
  EXPECT_EQ(c.known, size.known);
  EXPECT_EQ(c.width, size.width);
  EXPECT_EQ(c.height, size.height);
  EXPECT_EQ(c.decodable, pictureWithinCeiling(data, c.bytes.size()));
}

constexpr auto kBmp = PictureFormat::Bmp;
constexpr auto kGif = PictureFormat::Gif;
constexpr auto kJpeg = PictureFormat::Jpeg;
constexpr auto kPng = PictureFormat::Png;
constexpr auto kNone = PictureFormat::Unknown;

INSTANTIATE_TEST_SUITE_P(
    Files, PictureSizeTest,
    ::testing::Values(
        SizeCase{"BmpInfoHeader", bmp(40, 124, 684), kBmp, true, 124, 684, true},
        SizeCase{"BmpTopDown", bmp(40, 120, -570), kBmp, true, 120, 570, true},
        SizeCase{"BmpCoreHeader", bmp(12, 300, 200), kBmp, true, 300, 200, true},
        SizeCase{"BmpOneRowOverTheCeiling", bmp(124, 8192, 8193), kBmp, true, 8192, 8193, false},
        SizeCase{"BmpHeightIntMin", bmp(40, 16, INT32_MIN), kBmp, true, 16, 2147483648u, false},
        SizeCase{"BmpUnknownHeader", bmp(8, 4, 4), kBmp, false, 0, 0, false},
        SizeCase{"GifImageBeyondScreen", gif(16, 16, 65535, 0, 16, 9000), kGif, true, 65551, 9000, false},
        SizeCase{"GifHugeScreen", gif(65535, 65535, 0, 0, 1, 1), kGif, true, 65535, 65535, false},
        SizeCase{"GifCutAfterTheScreen", gif(16, 8, 0, 0, 9000, 9000).substr(0, 20), kGif, true, 16, 8, true},
        SizeCase{"JpegAtTheCeiling", jpeg(8192, 8192, 0xC2), kJpeg, true, 8192, 8192, true},
        SizeCase{"JpegTwentyThousandSquare", jpeg(20000, 20000), kJpeg, true, 20000, 20000, false},
        SizeCase{"JpegFillAndGarbageBeforeMarkers",
                 std::string("\xFF\xD8\x00\x12\xFF\xFF", 6) + segment(0xC1, "\x08" + be16(7) + be16(9)), kJpeg, true, 9,
                 7, true},
        SizeCase{"JpegScanBeforeFrame", std::string("\xFF\xD8", 2) + segment(0xDA, "xx") + jpeg(1, 1), kJpeg, false, 0, 0,
                 false},
        SizeCase{"JpegDhtIsNoFrame", std::string("\xFF\xD8", 2) + segment(0xC4, "\x08\x01\x01\x01\x01"), kJpeg, false,
                 0, 0, false},
        SizeCase{"Png", png(16, 16), kPng, true, 16, 16, true},
        SizeCase{"PngWide", png(70000, 1000), kPng, true, 70000, 1000, false},
        SizeCase{"Text", "This is a text file with a .bmp name", kNone, false, 0, 0, false}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

TEST(PictureSize, EveryCutOfAPictureIsReadWithinItsBytes) {
  // Under the sanitizers a read past the end stops the run; a cut picture
  // never has a size larger than the whole one.
  for (const std::string& whole : {bmp(40, 30, 20), gif(40, 30, 2, 2, 8, 8), jpeg(40, 30), png(40, 30)}) {
    const PictureSize full = readPictureSize(reinterpret_cast<const unsigned char*>(whole.data()), whole.size());
    for (std::size_t length = 0; length < whole.size(); ++length) {
      // A heap block of exactly the cut's length.
      const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
      const PictureSize size = readPictureSize(cut.data(), cut.size());
      EXPECT_LE(size.width, full.width) << length;
      EXPECT_LE(size.height, full.height) << length;
    }
  }
  EXPECT_FALSE(readPictureSize(nullptr, 100).known);
}

}  // namespace
}  // namespace rovenza
