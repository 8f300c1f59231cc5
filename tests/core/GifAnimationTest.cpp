// Animated GIFs written by giflib, read back and composed as an LED sign
// plays them: delays, loop counts, disposal, transparency over black,
// clipping to the screen, and files that are cut short or bad.
#include "sign/GifAnimation.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(4u, countGifPictures(bytes.data(), bytes.size()));
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
    EXPECT_LE(animation.pictures.size(), countGifPictures(cut.data(), cut.size())) << length;
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

TEST(GifAnimation, OnlyAGifOfTwoPicturesOrMoreWithinTheCeilingsIsAnLedAnimation) {
  const auto animated = [](const std::vector<unsigned char>& bytes) {
    GifAnimation animation;
    const bool answer = readLedAnimation(bytes.data(), bytes.size(), animation);
    EXPECT_EQ(answer, !animation.pictures.empty());
    return answer;
  };
  GifPlan two{2, 1, {kRed, kGreen}, 0, {filledPicture(0, 0, 2, 1, 0), filledPicture(0, 0, 2, 1, 1)}};
  EXPECT_TRUE(animated(writeGif(two)));
  GifPlan one = two;
  one.pictures.pop_back();
  EXPECT_FALSE(animated(writeGif(one))) << "a still";
  GifPlan huge = two;  // two canvases of 8192 x 8192 pass the 256 MiB: the first picture only
  huge.width = huge.height = 8192;
  EXPECT_FALSE(animated(writeGif(huge)));
  GifPlan tooWide = two;  // past the pixel ceiling: no picture at all
  tooWide.width = 8193;
  tooWide.height = 8192;
  EXPECT_FALSE(animated(writeGif(tooWide)));
  std::vector<unsigned char> notGif = writeGif(two);
  notGif[0] = 'B';
  EXPECT_FALSE(animated(notGif));
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
