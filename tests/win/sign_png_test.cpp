// PNG and TIFF pictures through the system's imaging component: the same
// pixels as the BMP of the same picture, alpha over black, and bad files
// that give the empty sign without a crash.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging_test_support.h"
#include "layout/Layout.h"
#include "common/win32/Scoped.h"
#include "sign/win32/Pictures.h"
#include "sign_test_support.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::Bytes;
using test::Page;
using test::Pixels;
using test::bgra;
using test::encodePicture;
using test::TempFolder;

// A picture of stripes and a gradient, different at every row.
Page testPicture(UINT width, UINT height) {
  Page page{width, height, {}};
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) page.pixels.push_back(bgra((x * 37) & 0xFF, (y * 11) & 0xFF, (x + y) & 0xFF, 255));
  }
  return page;
}

Page oneColour(UINT width, UINT height, std::uint32_t colour) {
  return Page{width, height, Pixels(std::size_t{width} * height, colour)};
}

// The same picture as a 24-bit BMP.
void writeBmpOf(const std::string& path, const Page& page) {
  const UINT stride = (page.width * 3 + 3) & ~3u;
  std::vector<unsigned char> rows(std::size_t{stride} * page.height, 0);
  for (UINT y = 0; y < page.height; ++y) {
    for (UINT x = 0; x < page.width; ++x) {
      const std::uint32_t p = page.pixels[std::size_t{y} * page.width + x];
      unsigned char* out = &rows[std::size_t{page.height - 1 - y} * stride + x * 3];
      out[0] = p & 0xFF;
      out[1] = (p >> 8) & 0xFF;
      out[2] = (p >> 16) & 0xFF;
    }
  }
  test::writeBmpFile(path, static_cast<int>(page.width), static_cast<int>(page.height), 24, {}, rows);
}

class ImagingPictures : public ::testing::Test {
 protected:
  // The picture's pixels, or an empty vector when it gives no bitmap.
  Pixels load(const std::string& path) {
    HBITMAP bitmap = loadPicture(path);
    if (!bitmap) return {};
    Pixels pixels = test::pixelsOf(bitmap);
    DeleteObject(bitmap);
    return pixels;
  }

  std::string png(const std::string& name, const Page& page) {
    const std::string path = folder.file(name);
    EXPECT_TRUE(encodePicture(path, GUID_ContainerFormatPng, {page})) << path;
    return path;
  }

  TempFolder folder;
};

TEST_F(ImagingPictures, APngAndTheBmpOfTheSamePictureLoadToIdenticalPixels) {
  const Page page = testPicture(96, 384);
  writeBmpOf(folder.file("same.bmp"), page);
  const Pixels fromBmp = load(folder.file("same.bmp"));
  const Pixels fromPng = load(png("same.png", page));
  ASSERT_EQ(96u * 384u, fromBmp.size());
  EXPECT_TRUE(fromBmp == fromPng);
  EXPECT_EQ(page.pixels[5 * 96 + 7] & 0xFFFFFF, fromPng[5 * 96 + 7]);
}

TEST_F(ImagingPictures, TheContentsNotTheNameChooseTheDecoder) {
  const Page page = testPicture(20, 30);
  const std::string path = png("named.bmp", page);
  Pixels pixels = load(path);
  ASSERT_EQ(600u, pixels.size());
  EXPECT_EQ(page.pixels[31] & 0xFFFFFF, pixels[31]);
}

TEST_F(ImagingPictures, AlphaIsCompositedOverBlackOnceAtLoad) {
  // Columns: opaque, half transparent, clear.
  Page page{3, 2, {}};
  for (int row = 0; row < 2; ++row) {
    for (std::uint32_t p : {bgra(200, 100, 50, 255), bgra(200, 100, 50, 128), bgra(200, 100, 50, 0)}) {
      page.pixels.push_back(p);
    }
  }
  const Pixels pixels = load(png("alpha.png", page));
  ASSERT_EQ(6u, pixels.size());
  EXPECT_EQ(bgra(200, 100, 50, 0), pixels[0]);
  EXPECT_EQ(bgra(100, 50, 25, 0), pixels[1]);
  EXPECT_EQ(bgra(0, 0, 0, 0), pixels[2]);
  EXPECT_EQ(pixels[0], pixels[3]);
}

TEST_F(ImagingPictures, TheFirstPageOfAManyPageTiff) {
  const std::string path = folder.file("pages.tif");
  ASSERT_TRUE(encodePicture(path, GUID_ContainerFormatTiff,
                            {oneColour(8, 6, bgra(0, 0, 255, 255)), oneColour(8, 6, bgra(0, 255, 0, 255))}));
  const Pixels pixels = load(path);
  ASSERT_EQ(48u, pixels.size());
  EXPECT_EQ(bgra(0, 0, 255, 0), pixels[0]);
  EXPECT_EQ(bgra(0, 0, 255, 0), pixels[47]);
}

// PNG chunk helpers for hand-made files.
std::uint32_t crc32(const unsigned char* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void putBe32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

Bytes chunk(const char* type, const Bytes& data) {
  Bytes out;
  putBe32(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  putBe32(out, crc32(body.data(), body.size()));
  return out;
}

// Offset of the first chunk of `type`, or 0.
std::size_t chunkAt(const Bytes& png, const char* type) {
  for (std::size_t pos = 8; pos + 8 <= png.size();) {
    const std::uint32_t length = (std::uint32_t{png[pos]} << 24) | (png[pos + 1] << 16) | (png[pos + 2] << 8) | png[pos + 3];
    if (std::equal(type, type + 4, png.begin() + static_cast<std::ptrdiff_t>(pos + 4))) return pos;
    pos += 12 + length;
  }
  return 0;
}

Bytes frameControl(std::uint32_t sequence, std::uint32_t width, std::uint32_t height) {
  Bytes data;
  for (std::uint32_t v : {sequence, width, height, 0u, 0u}) putBe32(data, v);
  data.insert(data.end(), {0, 1, 0, 10, 0, 0});  // delay 1/10 s, no dispose, source blend
  return data;
}

TEST_F(ImagingPictures, TheDefaultImageOfAnAnimatedPng) {
  const Bytes plain = test::readWholeFile(png("still.png", oneColour(4, 4, bgra(255, 0, 0, 255))));
  const std::size_t idat = chunkAt(plain, "IDAT");
  ASSERT_GT(idat, 0u);
  Bytes animated(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(idat));
  Bytes control;
  putBe32(control, 2);
  putBe32(control, 0);
  for (const Bytes& part : {chunk("acTL", control), chunk("fcTL", frameControl(0, 4, 4))}) {
    animated.insert(animated.end(), part.begin(), part.end());
  }
  const std::size_t iend = chunkAt(plain, "IEND");
  animated.insert(animated.end(), plain.begin() + static_cast<std::ptrdiff_t>(idat),
                  plain.begin() + static_cast<std::ptrdiff_t>(iend));
  Bytes second;
  putBe32(second, 2);
  second.insert(second.end(), {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  for (const Bytes& part : {chunk("fcTL", frameControl(1, 4, 4)), chunk("fdAT", second)}) {
    animated.insert(animated.end(), part.begin(), part.end());
  }
  animated.insert(animated.end(), plain.begin() + static_cast<std::ptrdiff_t>(iend), plain.end());
  test::writeFile(folder.file("animated.png"), animated);

  const Pixels pixels = load(folder.file("animated.png"));
  ASSERT_EQ(16u, pixels.size());
  EXPECT_EQ(bgra(255, 0, 0, 0), pixels[0]);
}

TEST_F(ImagingPictures, BadFilesGiveNoPicture) {
  const Bytes good = test::readWholeFile(png("good.png", testPicture(64, 64)));
  ASSERT_GT(good.size(), 100u);

  test::writeFile(folder.file("truncated.png"), Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)));
  test::writeFile(folder.file("headeronly.png"), Bytes(good.begin(), good.begin() + 20));
  test::writeFile(folder.file("empty.png"), Bytes());
  test::writeText(folder.file("text.png"), "This is not a picture at all, only words.\r\n");
  Bytes header(good.begin(), good.begin() + 33);
  for (int i = 0; i < 4; ++i) {
    header[16 + i] = static_cast<unsigned char>(100000u >> (24 - 8 * i));
    header[20 + i] = static_cast<unsigned char>(100000u >> (24 - 8 * i));
  }
  header.insert(header.end(), good.begin() + 33, good.end());
  test::writeFile(folder.file("huge.png"), header);

  for (const char* name : {"truncated.png", "headeronly.png", "empty.png", "text.png", "huge.png"}) {
    EXPECT_TRUE(load(folder.file(name)).empty()) << name;
  }
}

TEST_F(ImagingPictures, ABadChecksumGivesThePictureOrNoneButNeverACrash) {
  const Page page = testPicture(16, 16);
  Bytes bytes = test::readWholeFile(png("crc.png", page));
  const std::size_t idat = chunkAt(bytes, "IDAT");
  ASSERT_GT(idat, 0u);
  const std::uint32_t length = (std::uint32_t{bytes[idat]} << 24) | (bytes[idat + 1] << 16) | (bytes[idat + 2] << 8) | bytes[idat + 3];
  bytes[idat + 8 + length] ^= 0xFF;  // the chunk's CRC
  test::writeFile(folder.file("crc.png"), bytes);
  const Pixels pixels = load(folder.file("crc.png"));
  if (!pixels.empty()) {
    ASSERT_EQ(256u, pixels.size());
    EXPECT_EQ(page.pixels[17] & 0xFFFFFF, pixels[17]);
  }
}

struct DecodeJob {
  std::string path;
  HBITMAP bitmap = nullptr;
};

DWORD WINAPI decodeOnThread(LPVOID parameter) {
  auto* job = static_cast<DecodeJob*>(parameter);
  job->bitmap = loadPicture(job->path);
  return 0;
}

TEST_F(ImagingPictures, AnLedFrameDecodedOnTheRollThread) {
  // Frames are decoded on a thread of their own while the sign runs.
  DecodeJob job{png("frame.png", oneColour(10, 5, bgra(0, 255, 0, 255)))};
  ScopedHandle thread(CreateThread(nullptr, 0, decodeOnThread, &job, 0, nullptr));
  ASSERT_TRUE(thread.valid());
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.get(), 10000));
  ASSERT_NE(nullptr, job.bitmap);
  EXPECT_EQ(bgra(0, 255, 0, 0), test::pixelsOf(job.bitmap)[0]);
  DeleteObject(job.bitmap);
}

}  // namespace
}  // namespace rovenza

namespace rovenza {
namespace {

// An LED frame folder mixing PNG frames with BMP, JPEG and GIF ones: the
// frames count in the order of their names, whatever their format.
TEST(ImagingFrames, PngFramesTakeTheirPlaceAmongTheOthersByName) {
  test::ProgramSession session;
  session.closeSplash();
  TempFolder folder;
  test::writeBmp(folder.file("00.bmp"), 40, 20, RGB(200, 0, 0));
  ASSERT_TRUE(test::writePng(folder.file("01.png"), 40, 20, [](UINT, UINT) { return RGB(0, 0, 200); }));
  CopyFileA(test::sourcePath("demo/test/gif16.gif").c_str(), folder.file("02.gif").c_str(), FALSE);
  ASSERT_TRUE(test::writePng(folder.file("03.PNG"), 30, 10, [](UINT, UINT) { return RGB(0, 200, 0); }));
  app.layout.signs[1].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[1].picturePath = folder.path();

  const struct {
    int frame;
    LONG width;
    std::uint32_t colour;  // 0: not checked
  } frames[] = {{0, 40, bgra(200, 0, 0, 0)}, {1, 40, bgra(0, 0, 200, 0)}, {2, 16, 0}, {3, 30, bgra(0, 200, 0, 0)}};
  for (const auto& expected : frames) {
    SCOPED_TRACE("frame " + std::to_string(expected.frame));
    showLedFrameNumber(1, expected.frame);
    HBITMAP picture = app.signStates[1].picture.get();
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(expected.width, test::bitmapSize(picture).cx);
    if (expected.colour) {
      EXPECT_EQ(expected.colour, test::pixelsOf(picture)[0]);
    }
  }
}

}  // namespace
}  // namespace rovenza
