#include "sign/Frames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace rovenza {
namespace {

struct HiMetricCase {
  std::int32_t hiMetric;
  std::int32_t dpi;
  std::int32_t pixels;
};

class HiMetricTest : public ::testing::TestWithParam<HiMetricCase> {};

TEST_P(HiMetricTest, RoundsToTheNearestPixel) {
  EXPECT_EQ(GetParam().pixels, hiMetricToPixels(GetParam().hiMetric, GetParam().dpi))
      << GetParam().hiMetric << " at " << GetParam().dpi << " dpi";
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, HiMetricTest,
    ::testing::Values(
        // What the decoder reports for the test pictures at 96 dpi.
        HiMetricCase{3175, 96, 120}, HiMetricCase{15081, 96, 570}, HiMetricCase{423, 96, 16},
        HiMetricCase{3281, 96, 124}, HiMetricCase{18098, 96, 684}, HiMetricCase{11906, 96, 450},
        HiMetricCase{10583, 96, 400},
        // Other screens.
        HiMetricCase{2540, 120, 120}, HiMetricCase{2540, 144, 144}, HiMetricCase{15081, 144, 855},
        // Halves round away from zero, as MulDiv does.
        HiMetricCase{1270, 1, 1}, HiMetricCase{1269, 1, 0}, HiMetricCase{-1270, 1, -1},
        HiMetricCase{0, 96, 0}, HiMetricCase{100, 0, 0}, HiMetricCase{100, -96, 0},
        HiMetricCase{INT32_MAX, 96, 81164736}, HiMetricCase{INT32_MAX, INT32_MAX, INT32_MAX},
        HiMetricCase{INT32_MIN, INT32_MAX, INT32_MIN}));

struct LedCase {
  std::int32_t target;
  std::int32_t count;
  std::int32_t position;
};

class LedFrameTest : public ::testing::TestWithParam<LedCase> {};

TEST_P(LedFrameTest, ChoosesTheFileOrKeepsThePicture) {
  EXPECT_EQ(GetParam().position, ledFramePosition(GetParam().target, GetParam().count))
      << "frame " << GetParam().target << " of " << GetParam().count;
}

INSTANTIATE_TEST_SUITE_P(
    Frames, LedFrameTest,
    ::testing::Values(LedCase{5, 5, -1}, LedCase{4, 5, 4}, LedCase{0, 5, 0}, LedCase{0, 0, -1},
                      LedCase{3, 0, -1}, LedCase{0, 1, 0}, LedCase{1, 1, -1}, LedCase{-1, 5, -1},
                      LedCase{999, 1000, 999}, LedCase{1000, 1000, -1}, LedCase{INT32_MAX, INT32_MAX, -1},
                      LedCase{0, -1, -1}));

struct CutCase {
  const char* name;
  std::string bytes;
  std::uint32_t size;  // the file's length (bytes holds its start)
  bool cut;
};

std::string fileHeader(std::uint32_t pixelOffset) {
  std::string header = "BM";
  header += std::string("\x36\x38\0\0", 4);  // declared size (not judged)
  header += std::string(4, '\0');
  for (int i = 0; i < 4; ++i) header += static_cast<char>((pixelOffset >> (8 * i)) & 0xFF);
  return header;
}

class BitmapCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(BitmapCutTest, HeadersMustBeWhole) {
  const CutCase& c = GetParam();
  const auto* data = reinterpret_cast<const unsigned char*>(c.bytes.data());
  EXPECT_EQ(c.cut, bitmapHeadersCutShort(data, c.size)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BitmapCutTest,
    ::testing::Values(CutCase{"SignatureOnly", "BM", 2, true}, CutCase{"ThirteenBytes", "BM6800000000", 13, true},
                      CutCase{"InfoHeaderCut", fileHeader(54), 40, true},
                      CutCase{"JustBeforeThePixels", fileHeader(54), 53, true},
                      CutCase{"HeadersWhole", fileHeader(54), 54, false},
                      CutCase{"PixelsCut", fileHeader(54), 100, false},
                      CutCase{"PaletteCut", fileHeader(1078), 600, true},
                      CutCase{"NotABitmap", "GIF87a", 6, false}, CutCase{"TextFile", "Hello", 5, false},
                      CutCase{"OneByte", "B", 1, false}, CutCase{"Empty", "", 0, false}),
    [](const ::testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

TEST(BitmapCut, NullDataIsNotJudged) { EXPECT_FALSE(bitmapHeadersCutShort(nullptr, 10)); }

struct ListingCase {
  const char* name;
  std::uint64_t writtenBefore;
  std::uint64_t listedAt;
  std::uint64_t writtenNow;
  bool current;
};

class FrameListingTest : public ::testing::TestWithParam<ListingCase> {};

TEST_P(FrameListingTest, HoldsWhileTheFolderIsNotWritten) {
  const ListingCase& c = GetParam();
  EXPECT_EQ(c.current, frameListingCurrent(c.writtenBefore, c.listedAt, c.writtenNow)) << c.name;
}

constexpr std::uint64_t kHour = 36000000000ull;
constexpr std::uint64_t kNow = 133000000000000000ull;

INSTANTIATE_TEST_SUITE_P(
    Times, FrameListingTest,
    ::testing::Values(ListingCase{"LeftAloneForAnHour", kNow - kHour, kNow, kNow - kHour, true},
                      ListingCase{"WrittenSince", kNow - kHour, kNow, kNow + 1, false},
                      ListingCase{"SlackExactly", kNow - kFolderClockSlack, kNow, kNow - kFolderClockSlack, true},
                      ListingCase{"WrittenJustBeforeTheListing", kNow - kFolderClockSlack + 1, kNow,
                                  kNow - kFolderClockSlack + 1, false},
                      ListingCase{"WrittenInTheSameTick", kNow, kNow, kNow, false},
                      ListingCase{"TimeFromTheFuture", kNow + kHour, kNow, kNow + kHour, false},
                      ListingCase{"TimeSetBack", kNow - kHour, kNow, kNow - 2 * kHour, false}),
    [](const ::testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.name); });

TEST(FrameFolder, PatternAndFilePaths) {
  EXPECT_EQ("C:\\signs\\led\\*.*", frameFolderPattern("C:\\signs\\led"));
  EXPECT_EQ("\\*.*", frameFolderPattern(""));
  EXPECT_EQ("C:\\signs\\led\\01.bmp", frameFilePath("C:\\signs\\led", "01.bmp"));
  // CP932 bytes pass through untouched, a trail byte 0x5C included.
  EXPECT_EQ("C:\\表\\a.bmp", frameFilePath("C:\\表", "a.bmp"));
}

}  // namespace
}  // namespace rovenza
