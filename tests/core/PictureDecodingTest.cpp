// The decoder a picture file goes to by its first bytes, the imaging
// component's size ceiling, and alpha composited over black.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sign/PictureDecoding.h"

namespace rovenza {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

void putBe32(Bytes& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

Bytes pngHeader(std::uint32_t width, std::uint32_t height) {
  Bytes png = bytesOf(std::string("\x89PNG\r\n\x1A\n", 8));
  putBe32(png, 13);
  for (char c : std::string("IHDR")) png.push_back(static_cast<unsigned char>(c));
  putBe32(png, width);
  putBe32(png, height);
  return png;
}

Bytes bmpHeader(std::int32_t width, std::int32_t height) {
  Bytes bmp(54, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[10] = 54;
  bmp[14] = 40;
  for (int i = 0; i < 4; ++i) {
    bmp[18 + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(width) >> (8 * i));
    bmp[22 + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(height) >> (8 * i));
  }
  return bmp;
}

PictureDecoder decoderOf(const Bytes& bytes) { return pictureDecoderFor(bytes.data(), bytes.size()); }

TEST(PictureDecoding, TheFirstBytesChooseTheDecoder) {
  EXPECT_EQ(PictureDecoder::SystemPicture, decoderOf(bmpHeader(16, 16)));
  EXPECT_EQ(PictureDecoder::SystemPicture, decoderOf(bytesOf(std::string("GIF89a\x10\0\x10\0\0\0\0", 13))));
  EXPECT_EQ(PictureDecoder::SystemPicture,
            decoderOf(bytesOf(std::string("\xFF\xD8\xFF\xC0\0\x11\x08\0\x20\0\x10", 11))));
  EXPECT_EQ(PictureDecoder::ImagingComponent, decoderOf(pngHeader(96, 384)));
  EXPECT_EQ(PictureDecoder::ImagingComponent, decoderOf(bytesOf("II*\0tiff")));
  EXPECT_EQ(PictureDecoder::ImagingComponent, decoderOf(bytesOf("MM\0*tiff")));
  // A text file is the imaging component's to refuse.
  EXPECT_EQ(PictureDecoder::ImagingComponent, decoderOf(bytesOf("just some words")));
}

TEST(PictureDecoding, NoDecoderForEmptyCutShortOrOversizedPictures) {
  EXPECT_EQ(PictureDecoder::None, pictureDecoderFor(nullptr, 0));
  const Bytes empty;
  EXPECT_EQ(PictureDecoder::None, decoderOf(empty));
  EXPECT_EQ(PictureDecoder::None, decoderOf(pngHeader(100000, 100000)));
  EXPECT_EQ(PictureDecoder::None, decoderOf(pngHeader(8193, 8192)));
  EXPECT_EQ(PictureDecoder::ImagingComponent, decoderOf(pngHeader(8192, 8192)));
  Bytes cutPng = pngHeader(10, 10);
  cutPng.resize(20);
  EXPECT_EQ(PictureDecoder::None, decoderOf(cutPng));
  EXPECT_EQ(PictureDecoder::None, decoderOf(bmpHeader(100000, 100000)));
  Bytes cutBmp = bmpHeader(4, 4);
  cutBmp[10] = 200;  // pixels said to start past the end
  EXPECT_EQ(PictureDecoder::None, decoderOf(cutBmp));
}

TEST(PictureDecoding, TheFirstBytesAloneChooseBeforeTheFileIsRead) {
  Bytes cutBmp = bmpHeader(4, 4);
  cutBmp[10] = 200;  // judged later, on the whole file
  EXPECT_EQ(PictureDecoder::SystemPicture, decoderByFirstBytes(cutBmp.data(), cutBmp.size()));
  const Bytes gif = bytesOf("GIF8");
  EXPECT_EQ(PictureDecoder::SystemPicture, decoderByFirstBytes(gif.data(), gif.size()));
  const Bytes png = pngHeader(124, 28500);
  EXPECT_EQ(PictureDecoder::ImagingComponent, decoderByFirstBytes(png.data(), png.size()));
  const Bytes huge = pngHeader(100000, 100000);
  EXPECT_EQ(PictureDecoder::None, decoderByFirstBytes(huge.data(), huge.size()));
  EXPECT_EQ(PictureDecoder::None, decoderByFirstBytes(png.data(), 12));  // IHDR cut short
  const Bytes tiff = bytesOf("II*\0");
  EXPECT_EQ(PictureDecoder::ImagingComponent, decoderByFirstBytes(tiff.data(), tiff.size()));
  EXPECT_EQ(PictureDecoder::None, decoderByFirstBytes(png.data(), 0));
}

TEST(PictureDecoding, TheImagingCeilingHoldsPixelsAndBytes) {
  EXPECT_TRUE(imagingSizeWithinCeiling(1, 1));
  EXPECT_TRUE(imagingSizeWithinCeiling(124, 28500));
  EXPECT_TRUE(imagingSizeWithinCeiling(8192, 8192));
  EXPECT_FALSE(imagingSizeWithinCeiling(8192, 8193));
  EXPECT_FALSE(imagingSizeWithinCeiling(0, 10));
  EXPECT_FALSE(imagingSizeWithinCeiling(10, 0));
  EXPECT_FALSE(imagingSizeWithinCeiling(UINT32_MAX, UINT32_MAX));
  EXPECT_EQ(kMaxDecodedBytes, kMaxPicturePixels * 4);
}

TEST(PictureDecoding, AlphaIsCompositedOverBlack) {
  // B, G, R, A: opaque, half, clear, a quarter, and the rounding at 1/255.
  Bytes pixels = {10, 20, 255, 255,  200, 100, 255, 128,  255, 255, 255, 0,  255, 4, 0, 64,  255, 127, 128, 1};
  compositeOverBlack(pixels.data(), 5);
  const Bytes expected = {10, 20, 255, 255,  100, 50, 128, 255,  0, 0, 0, 255,  64, 1, 0, 255,  1, 0, 1, 255};
  EXPECT_EQ(expected, pixels);
}

}  // namespace
}  // namespace rovenza
