// Animated GIFs written by giflib, read back and composed as an LED sign
// plays them: delays, loop counts, disposal, transparency over black,
// clipping to the screen, and files that are cut short or bad.
#include "sign/GifAnimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

#include "GifBytes.h"

namespace rovenza {
namespace {

using test::filledPicture;
using test::GifPicturePlan;
using test::GifPlan;
using test::writeGif;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

GifAnimation decode(const std::vector<unsigned char>& bytes, const GifLimits& limits = {}) {
  return decodeGifAnimation(bytes.data(), bytes.size(), limits);
}

// The canvas after composing pictures 0 to `last`.
std::vector<std::uint32_t> composedUpTo(const GifAnimation& animation, std::size_t last) {
  GifCanvas canvas(animation);
  canvas.compose(last);
  return canvas.pixels();
}

TEST(GifAnimation, DelaysOfZeroOrOneHundredthCountAsTen) {
  const struct {
    std::uint32_t stored, counted;
  } cases[] = {{0, 10}, {1, 10}, {2, 2}, {10, 10}, {300, 300}, {65535, 65535}};
  for (const auto& c : cases) EXPECT_EQ(c.counted, pictureDelayHundredths(c.stored)) << c.stored;
}

TEST(GifAnimation, ReadsEachPicturesDelayAndTheLoopCount) {
  const struct {
    int loop;
    std::int32_t loopCount;
    std::int64_t plays;
  } cases[] = {{-1, -1, 1}, {0, 0, 0}, {1, 1, 2}, {3, 3, 4}, {65535, 65535, 65536}};
  for (const auto& c : cases) {
    GifPlan plan{2, 1, {kRed, kGreen}, c.loop, {}};
    plan.pictures = {filledPicture(0, 0, 2, 1, 0, 300), filledPicture(0, 0, 2, 1, 1, 0), filledPicture(0, 0, 2, 1, 0, 1),
                     filledPicture(0, 0, 2, 1, 1, 65535)};
    plan.pictures[1].control = false;  // no control block: delay 0
    const std::vector<unsigned char> bytes = writeGif(plan);
    const GifAnimation animation = decode(bytes);
    ASSERT_EQ(4u, animation.pictures.size()) << c.loop;
    EXPECT_EQ(4u, surveyGif(bytes.data(), bytes.size()).pictures);
    EXPECT_EQ(c.loopCount, animation.loopCount);
    EXPECT_EQ(c.plays, animation.plays());
    EXPECT_EQ(300u, animation.pictures[0].delay);
    EXPECT_EQ(10u, animation.pictures[1].delay);
    EXPECT_EQ(10u, animation.pictures[2].delay);
    EXPECT_EQ(65535u, animation.pictures[3].delay);
    EXPECT_EQ((std::vector<std::uint32_t>{kGreen, kGreen}), composedUpTo(animation, 3));
  }
}

// A red screen of 4 x 1; picture 1 paints its middle two pixels green and
// goes as its disposal says; picture 2 paints only the last pixel blue.
TEST(GifAnimation, EachDisposalUndoesItsPictureAsTheFileSays) {
  const struct {
    int disposal;
    std::vector<std::uint32_t> after;
  } cases[] = {
      {0, {kRed, kGreen, kGreen, kBlue}},
      {1, {kRed, kGreen, kGreen, kBlue}},
      {2, {kRed, 0, 0, kBlue}},            // back to black, the unlit sign
      {3, {kRed, kRed, kRed, kBlue}},      // back to what it covered
      {5, {kRed, kGreen, kGreen, kBlue}},  // undefined methods keep it
  };
  for (const auto& c : cases) {
    GifPlan plan{4, 1, {kRed, kGreen, kBlue, kWhite}, 0, {}};
    plan.pictures = {filledPicture(0, 0, 4, 1, 0), filledPicture(1, 0, 2, 1, 1), filledPicture(3, 0, 1, 1, 2)};
    plan.pictures[1].disposal = c.disposal;
    const GifAnimation animation = decode(writeGif(plan));
    ASSERT_EQ(3u, animation.pictures.size());
    EXPECT_EQ((std::vector<std::uint32_t>{kRed, kGreen, kGreen, kRed}), composedUpTo(animation, 1)) << c.disposal;
    EXPECT_EQ(c.after, composedUpTo(animation, 2)) << c.disposal;
  }
}

TEST(GifAnimation, RestoringThePreviousOfTheFirstPictureLeavesBlack) {
  GifPlan plan{2, 1, {kRed, kGreen}, 0, {}};
  plan.pictures = {filledPicture(0, 0, 2, 1, 0), filledPicture(1, 0, 1, 1, 1)};
  plan.pictures[0].disposal = 3;
  EXPECT_EQ((std::vector<std::uint32_t>{0, kGreen}), composedUpTo(decode(writeGif(plan)), 1));
}

TEST(GifAnimation, TransparentPixelsShowBlackOrWhatLiesBeneath) {
  GifPlan plan{3, 1, {kRed, kGreen, kBlue, kWhite}, 0, {}};
  GifPicturePlan first = filledPicture(0, 0, 3, 1, 0);
  first.indices = {0, 3, 0};
  first.transparent = 3;
  GifPicturePlan second = filledPicture(0, 0, 3, 1, 1);
  second.indices = {3, 1, 3};
  second.transparent = 3;
  plan.pictures = {first, second};
  const GifAnimation animation = decode(writeGif(plan));
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, 0, kRed}), composedUpTo(animation, 0));
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, kGreen, kRed}), composedUpTo(animation, 1));
}

TEST(GifAnimation, PicturesAreClippedToTheScreen) {
  GifPlan plan{3, 2, {kRed, kGreen, kBlue, kWhite}, 0, {}};
  GifPicturePlan partly = filledPicture(2, 1, 3, 2, 1);  // one pixel inside
  GifPicturePlan outside = filledPicture(7, 9, 2, 2, 2);
  GifPicturePlan beside = filledPicture(3, 0, 2, 2, 3);  // right of the screen, level with it
  beside.disposal = 3;
  plan.pictures = {filledPicture(0, 0, 3, 2, 0), partly, outside, beside, filledPicture(0, 0, 1, 1, 1)};
  const GifAnimation animation = decode(writeGif(plan));
  ASSERT_EQ(5u, animation.pictures.size());
  EXPECT_EQ(1, animation.pictures[1].width);
  EXPECT_EQ(1, animation.pictures[1].height);
  EXPECT_EQ(0, animation.pictures[2].width);
  EXPECT_EQ(0, animation.pictures[3].height);
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, kRed, kRed, kRed, kRed, kGreen}), composedUpTo(animation, 3));
  EXPECT_EQ((std::vector<std::uint32_t>{kGreen, kRed, kRed, kRed, kRed, kGreen}), composedUpTo(animation, 4));
}

TEST(GifAnimation, OwnColourTablesInterlacingAndIndicesPastTheTable) {
  GifPlan plan{2, 9, {kRed, kGreen}, 0, {}};
  GifPicturePlan rows = filledPicture(0, 0, 2, 9, 0);
  GifPicturePlan interlaced = rows;
  interlaced.interlace = true;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 2; ++x) rows.indices[y * 2 + x] = interlaced.indices[y * 2 + x] = static_cast<std::uint8_t>(y % 4);
  }
  rows.colours = interlaced.colours = {kBlue, kWhite, kGreen};  // a table of 4: index 3 is black
  GifPicturePlan pastTable = filledPicture(0, 0, 2, 1, 3);     // the global table has 2 entries
  plan.pictures = {rows, interlaced, pastTable};
  const GifAnimation animation = decode(writeGif(plan));
  ASSERT_EQ(3u, animation.pictures.size());
  const std::vector<std::uint32_t> plain = composedUpTo(animation, 0);
  EXPECT_EQ(plain, composedUpTo(animation, 1));
  const std::uint32_t byRow[] = {kBlue, kWhite, kGreen, 0};
  for (int y = 0; y < 9; ++y) EXPECT_EQ(byRow[y % 4], plain[y * 2 + 1]) << y;
  EXPECT_EQ(0u, composedUpTo(animation, 2)[0]);
}

TEST(GifAnimation, ComposingOutOfOrderStartsAgainFromBlack) {
  GifPlan plan{2, 1, {kRed, kGreen, kBlue, kWhite}, 0, {}};
  plan.pictures = {filledPicture(0, 0, 1, 1, 0), filledPicture(1, 0, 1, 1, 1), filledPicture(0, 0, 1, 1, 2)};
  const GifAnimation animation = decode(writeGif(plan));
  GifCanvas canvas(animation);
  canvas.compose(2);
  EXPECT_EQ((std::vector<std::uint32_t>{kBlue, kGreen}), canvas.pixels());
  canvas.compose(0);  // the next play
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, 0}), canvas.pixels());
  canvas.compose(1);
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, kGreen}), canvas.pixels());
  EXPECT_EQ(1u, canvas.composed());
}

// A 192 x 48 animation of 200 pictures of many colours costs at most 8 MB.
TEST(GifAnimation, TwoHundredPicturesOfAWideLedBoardStayUnderEightMegabytes) {
  GifPlan plan{192, 48, {}, 0, {}};
  for (int c = 0; c < 256; ++c) plan.colours.push_back(static_cast<std::uint32_t>(c * 0x010203));
  for (int n = 0; n < 200; ++n) {
    GifPicturePlan picture = filledPicture(0, 0, 192, 48, 0, 2);
    for (std::size_t i = 0; i < picture.indices.size(); ++i) picture.indices[i] = static_cast<std::uint8_t>(i * 7 + n);
    plan.pictures.push_back(picture);
  }
  const GifAnimation animation = decode(writeGif(plan));
  ASSERT_EQ(200u, animation.pictures.size());
  GifCanvas canvas(animation);
  canvas.compose(199);
  EXPECT_LE(animation.keptBytes() + 2 * canvas.pixels().size() * 4, 8u * 1000 * 1000);
}

TEST(GifAnimation, AnAnimationPastTheCeilingKeepsItsFirstPictureOnly) {
  GifPlan plan{4, 4, {kRed, kGreen}, 0, {}};
  for (int n = 0; n < 5; ++n) plan.pictures.push_back(filledPicture(0, 0, 4, 4, static_cast<std::uint8_t>(n % 2)));
  const std::vector<unsigned char> bytes = writeGif(plan);
  const struct {
    std::uint64_t ceiling;
    std::size_t kept;
  } cases[] = {{5 * 64, 5}, {5 * 64 - 1, 1}, {64, 1}};
  for (const auto& c : cases) {
    GifLimits limits;
    limits.maxDecodedBytes = c.ceiling;
    EXPECT_EQ(c.kept, decode(bytes, limits).pictures.size()) << c.ceiling;
  }
}

// A picture of `width` x `height` whose row y is all index y % 4.
GifPicturePlan stripedPicture(int width, int height, bool interlace) {
  GifPicturePlan picture = filledPicture(0, 0, width, height, 0);
  for (int y = 0; y < height; ++y) {
    std::fill_n(picture.indices.begin() + std::ptrdiff_t{y} * width, width, static_cast<std::uint8_t>(y % 4));
  }
  picture.interlace = interlace;
  return picture;
}

// Decoding costs each picture's stored rows down to the last one on the
// screen, every column of them: an interlaced picture's passes before the
// last that holds such a row, and that pass down to it.
TEST(GifAnimation, DecodingCostsTheStoredRowsDownToTheLastOneOnTheScreen) {
  const struct {
    int screenHeight, width, height;
    bool interlace;
    std::uint64_t pixels;
  } cases[] = {
      {16, 64, 1000, false, 64 * 16},
      {16, 64, 10, false, 64 * 10},
      {16, 64, 1000, true, 64 * (125 + 125 + 250 + 8)},  // rows 0, 8 ..; 4, 12 ..; 2, 6 ..; then 1, 3 .. 15
      {3, 64, 1000, true, 64 * (125 + 125 + 250 + 1)},   // row 1 comes in the last pass
      {1, 64, 1000, true, 64 * 1},                       // row 0 comes first
      {16, 64, 16, true, 64 * 16},
  };
  for (const auto& c : cases) {
    GifPlan plan{4, c.screenHeight, {kRed, kGreen, kBlue, kWhite}, 0, {}};
    plan.pictures = {stripedPicture(c.width, c.height, c.interlace), filledPicture(0, 0, 4, 1, 1)};
    const std::vector<unsigned char> bytes = writeGif(plan);
    const GifSurvey survey = surveyGif(bytes.data(), bytes.size());
    EXPECT_EQ(c.pixels, survey.firstDecodePixels) << c.height << " " << c.interlace << " " << c.screenHeight;
    EXPECT_EQ(c.pixels + 4, survey.decodePixels) << c.height << " " << c.interlace << " " << c.screenHeight;
    const GifAnimation animation = decode(bytes);
    ASSERT_EQ(2u, animation.pictures.size());
    const std::vector<std::uint32_t> first = composedUpTo(animation, 0);
    const std::uint32_t byRow[] = {kRed, kGreen, kBlue, kWhite};
    for (int y = 0; y < std::min(c.height, c.screenHeight); ++y) EXPECT_EQ(byRow[y % 4], first[y * 4 + 3]) << y;
  }
}

// Rows below the screen are skipped block by block, never decoded: a fault
// in their codes leaves the picture whole.
TEST(GifAnimation, RowsBelowTheScreenAreNeverDecoded) {
  for (const bool interlace : {false, true}) {
    GifPlan plan{16, 16, {kRed, kGreen, kBlue, kWhite}, 0, {}};
    GifPicturePlan tall = stripedPicture(16, 4000, interlace);
    for (std::size_t i = 0; i < tall.indices.size(); ++i) tall.indices[i] = static_cast<std::uint8_t>((i * 7 / 5) % 4);
    plan.pictures = {filledPicture(0, 0, 16, 16, 0), tall};
    std::vector<unsigned char> bytes = writeGif(plan);
    // The tall picture's descriptor (16 x 4000), then its code size and data blocks: the last block's codes go bad.
    std::size_t block = 0;
    for (std::size_t i = 0; i + 11 < bytes.size(); ++i) {
      if (bytes[i] == 0x2C && bytes[i + 5] == 16 && bytes[i + 7] == 0xA0 && bytes[i + 8] == 0x0F) block = i + 11;
    }
    ASSERT_NE(0u, block);
    std::size_t last = block;
    for (; bytes[block] != 0; block += bytes[block] + 1u) last = block;
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(last) + 1, bytes[last], 0xFF);
    const GifAnimation animation = decode(bytes);
    ASSERT_EQ(2u, animation.pictures.size()) << interlace;
    EXPECT_EQ(16, animation.pictures[1].height);
  }
}

TEST(GifAnimation, AnAnimationPastTheDecodingBudgetKeepsItsFirstPictureOnly) {
  // Four pictures 64 wide and 1000 high on a screen of 8 x 8: 512 pixels each to decode.
  GifPlan plan{8, 8, {kRed, kGreen}, 0, {}};
  for (int n = 0; n < 4; ++n) plan.pictures.push_back(filledPicture(0, 0, 64, 1000, static_cast<std::uint8_t>(n % 2)));
  const std::vector<unsigned char> bytes = writeGif(plan);
  const struct {
    std::uint64_t budget;
    std::size_t kept;
  } cases[] = {{4 * 512, 4}, {4 * 512 - 1, 1}, {0, 1}};
  for (const auto& c : cases) {
    GifLimits limits;
    limits.maxDecodePixels = c.budget;
    EXPECT_EQ(c.kept, surveyGif(bytes.data(), bytes.size(), limits).kept) << c.budget;
    EXPECT_EQ(c.kept, decode(bytes, limits).pictures.size()) << c.budget;
  }
}

TEST(GifAnimation, ADecoderStopsBetweenRowsOnceCancelled) {
  const std::vector<unsigned char> bytes = writeGif(GifPlan{4, 4, {kRed, kGreen}, 0, {stripedPicture(4, 4, false),
                                                                                     stripedPicture(4, 4, false)}});
  GifAnimation animation;
  GifDecoder decoder(bytes.data(), bytes.size(), animation);
  std::atomic<bool> cancelled{false};
  ASSERT_TRUE(decoder.next(&cancelled));
  cancelled = true;
  EXPECT_FALSE(decoder.next(&cancelled));
  EXPECT_EQ(1u, animation.pictures.size());
  EXPECT_EQ(16u, animation.indices.size());
}

// The records of a small animation, so that bad files can be made from it.
std::vector<unsigned char> threePictures() {
  GifPlan plan{4, 2, {kRed, kGreen, kBlue, kWhite}, 0, {}};
  for (int n = 0; n < 3; ++n) {
    GifPicturePlan picture = filledPicture(0, 0, 4, 2, 0);
    for (std::size_t i = 0; i < picture.indices.size(); ++i) picture.indices[i] = static_cast<std::uint8_t>((i + n) % 4);
    plan.pictures.push_back(picture);
  }
  return writeGif(plan);
}

TEST(GifAnimation, AFileCutShortKeepsThePicturesBeforeTheCut) {
  const std::vector<unsigned char> whole = threePictures();
  const GifAnimation full = decode(whole);
  ASSERT_EQ(3u, full.pictures.size());
  std::size_t before = 0;
  for (std::size_t length = 0; length <= whole.size(); ++length) {
    const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    const GifAnimation animation = decode(cut);
    // Only ever more pictures as the file grows, each as in the whole file.
    ASSERT_GE(animation.pictures.size(), before) << length;
    before = animation.pictures.size();
    EXPECT_LE(animation.pictures.size(), surveyGif(cut.data(), cut.size()).pictures) << length;
    if (!animation.pictures.empty()) {
      const std::size_t last = animation.pictures.size() - 1;
      EXPECT_EQ(composedUpTo(full, last), composedUpTo(animation, last)) << length;
    }
  }
  EXPECT_EQ(3u, before);
}

TEST(GifAnimation, BadOrEmptyPicturesEndTheAnimationOrDrawNothing) {
  const std::vector<unsigned char> whole = threePictures();
  // The second picture's data: its LZW code size byte, the first block's length, the codes.
  const GifAnimation full = decode(whole);
  std::vector<std::size_t> codeSizeAt;
  for (std::size_t i = 0; i + 10 < whole.size(); ++i) {
    if (whole[i] == 0x2C && whole[i + 5] == 4 && whole[i + 7] == 2 && whole[i + 10] == 2) codeSizeAt.push_back(i + 10);
  }
  ASSERT_EQ(3u, codeSizeAt.size());
  std::vector<unsigned char> badCodeSize = whole;
  badCodeSize[codeSizeAt[1]] = 12;  // more than 8 bits: no picture can follow
  EXPECT_EQ(1u, decode(badCodeSize).pictures.size());
  std::vector<unsigned char> badCodes = whole;
  for (std::size_t i = codeSizeAt[1] + 2; i < codeSizeAt[1] + 2 + badCodes[codeSizeAt[1] + 1]; ++i) badCodes[i] = 0xFF;
  EXPECT_EQ(1u, decode(badCodes).pictures.size());

  GifPlan plan{2, 1, {kRed, kGreen}, 0, {}};
  plan.pictures = {filledPicture(0, 0, 2, 1, 0), filledPicture(0, 0, 0, 0, 1), filledPicture(1, 0, 1, 1, 1)};
  const GifAnimation empty = decode(writeGif(plan));
  ASSERT_EQ(3u, empty.pictures.size());
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, kRed}), composedUpTo(empty, 1));
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, kGreen}), composedUpTo(empty, 2));

  const unsigned char notGif[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(decodeGifAnimation(notGif, sizeof notGif).pictures.empty());
  EXPECT_TRUE(decodeGifAnimation(nullptr, 0).pictures.empty());
}

TEST(GifAnimation, AHundredThousandPicturesAllPlayAndMoreAreDropped) {
  GifPlan plan{1, 1, {kRed, kGreen}, 0, {}};
  for (std::size_t n = 0; n < kMaxAnimationPictures + 5; ++n) {
    plan.pictures.push_back(filledPicture(0, 0, 1, 1, static_cast<std::uint8_t>(n % 2)));
  }
  const std::vector<unsigned char> bytes = writeGif(plan);
  const GifAnimation animation = decode(bytes);
  EXPECT_EQ(kMaxAnimationPictures, animation.pictures.size());
  EXPECT_EQ(std::vector<std::uint32_t>{kGreen}, composedUpTo(animation, kMaxAnimationPictures - 1));
}

TEST(GifAnimation, AGifOfTwoPicturesOrMoreIsAnLedAnimationPlayingWhatItKeeps) {
  // How many pictures it plays; 0 for none (no animation).
  const auto played = [](const std::vector<unsigned char>& bytes) -> std::size_t {
    const GifSurvey survey = surveyGif(bytes.data(), bytes.size());
    return isLedAnimation(bytes.data(), bytes.size(), survey) ? survey.kept : 0;
  };
  GifPlan two{2, 1, {kRed, kGreen}, 0, {filledPicture(0, 0, 2, 1, 0), filledPicture(0, 0, 2, 1, 1)}};
  EXPECT_EQ(2u, played(writeGif(two)));
  GifPlan one = two;
  one.pictures.pop_back();
  EXPECT_EQ(0u, played(writeGif(one))) << "a still";
  GifPlan huge = two;  // two canvases of 8192 x 8192 pass the 256 MiB: the first picture only
  huge.width = huge.height = 8192;
  EXPECT_EQ(1u, played(writeGif(huge)));
  GifPlan tooWide = two;  // past the pixel ceiling: no picture at all
  tooWide.width = 8193;
  tooWide.height = 8192;
  EXPECT_EQ(0u, played(writeGif(tooWide)));
  std::vector<unsigned char> notGif = writeGif(two);
  notGif[0] = 'B';
  EXPECT_EQ(0u, played(notGif));
}

TEST(GifAnimation, APictureLargerThanTheLimitEndsTheAnimation) {
  GifPlan plan{4, 4, {kRed, kGreen}, 0, {}};
  plan.pictures = {filledPicture(0, 0, 4, 4, 0), filledPicture(0, 0, 4, 4, 1), filledPicture(0, 0, 300, 300, 1)};
  GifLimits limits;
  limits.maxPicturePixels = 299 * 300;
  EXPECT_EQ(2u, decode(writeGif(plan), limits).pictures.size());
  limits.maxPicturePixels = 15;  // the screen itself is larger
  EXPECT_EQ(0u, decode(writeGif(plan), limits).pictures.size());
}

}  // namespace
}  // namespace rovenza
