// Texts put into a frame: the narrowing down to 30 % and the cut after it,
// the centring, and the coverage masks drawn narrowed into the pixels; the
// LED dot grid.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "maker/Lettering.h"

namespace rovenza {
namespace {

// 124 px wide: side margins of 5, 114 px between them.
constexpr int kWidth = 124;
constexpr int kHeight = 57;
constexpr int kRoom = 114;

struct FitCase {
  const char* name;
  int measured;
  int drawn;
  int x;
  bool cut;
};

TEST(MakerLettering, ALineIsNarrowedToTheRoomDownTo30PercentThenCut) {
  const FitCase cases[] = {
      {"fits: as measured, centred", 60, 60, 5 + (kRoom - 60) / 2, false},
      {"exactly the room", kRoom, kRoom, 5, false},
      {"a little too long: narrowed to the room", 200, kRoom, 5, false},
      {"narrowed to exactly 30 %", 380, kRoom, 5, false},
      {"past 30 %: 30 % of it, cut at the right margin", 1000, 300, 5, true},
      {"nothing", 0, 0, 0, false},
  };
  for (const FitCase& c : cases) {
    const FrameFit fit = fitLines(kWidth, kHeight, c.measured, 40, 0, 0, 0);
    EXPECT_EQ(c.drawn, fit.main.drawnWidth) << c.name;
    if (c.drawn > 0) {
      EXPECT_EQ(c.x, fit.main.x) << c.name;
    }
    EXPECT_EQ(c.cut, fit.main.cut) << c.name;
    EXPECT_EQ(5, fit.main.clipLeft) << c.name;
    EXPECT_EQ(5 + kRoom, fit.main.clipRight) << c.name;
    if (c.measured > 0) {
      EXPECT_GE(fit.main.narrowing, kNarrowestLettering - 1e-9) << c.name;
    }
  }
}

TEST(MakerLettering, LinesAreCentredDownTheFrameWithTheSubTextBelow) {
  const LetteringPlan alone = letteringFor(kHeight, false);
  const LetteringPlan both = letteringFor(kHeight, true);
  EXPECT_EQ(41, alone.mainHeight);
  EXPECT_EQ(0, alone.subHeight);
  EXPECT_LT(both.subHeight, both.mainHeight) << "the sub text is smaller";
  EXPECT_LE(both.mainHeight + both.gap + both.subHeight, kHeight);
  // An LED frame of 19 dots: 17 for a line alone; 11 and 7 for two, with a dot between.
  EXPECT_EQ(17, letteringFor(19, false, Lettering::Dots).mainHeight);
  const LetteringPlan dots = letteringFor(19, true, Lettering::Dots);
  EXPECT_EQ(11, dots.mainHeight);
  EXPECT_EQ(7, dots.subHeight);
  EXPECT_EQ(1, dots.gap);

  const FrameFit one = fitLines(kWidth, kHeight, 50, alone.mainHeight, 0, 0, 0);
  EXPECT_EQ((kHeight - alone.mainHeight) / 2, one.main.y);

  const FrameFit two = fitLines(kWidth, kHeight, 50, both.mainHeight, 30, both.subHeight, both.gap);
  const int block = both.mainHeight + both.gap + both.subHeight;
  EXPECT_EQ((kHeight - block) / 2, two.main.y);
  EXPECT_EQ(two.main.y + both.mainHeight + both.gap, two.sub.y);
  EXPECT_EQ(5 + (kRoom - 30) / 2, two.sub.x);

  // A sub text alone is centred by itself.
  const FrameFit subOnly = fitLines(kWidth, kHeight, 0, both.mainHeight, 30, both.subHeight, both.gap);
  EXPECT_EQ((kHeight - both.subHeight) / 2, subOnly.sub.y);
}

CoverageMask solidMask(int width, int height) {
  return CoverageMask{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 255)};
}

// Columns of row `y` that are not the background.
std::vector<int> inkedColumns(const Picture& frame, int y, Rgb background) {
  std::vector<int> columns;
  for (int x = 0; x < frame.width; ++x) {
    if (frame.at(x, y) != background) columns.push_back(x);
  }
  return columns;
}

TEST(MakerLettering, ACutLineNeverLeavesTheRoomNorTheFrame) {
  for (Sampling sampling : {Sampling::Smooth, Sampling::Nearest}) {
    Picture frame = filledFrame(kWidth, kHeight, 0x000080);
    const CoverageMask mask = solidMask(2000, 80);  // taller than the frame too
    FrameFit fit = fitLines(kWidth, kHeight, mask.width, mask.height, 0, 0, 0);
    ASSERT_TRUE(fit.main.cut);
    drawLine(frame, mask, fit.main, 0xFFFFFF, sampling);
    for (int y = 0; y < kHeight; ++y) {
      const std::vector<int> inked = inkedColumns(frame, y, 0x000080);
      ASSERT_EQ(static_cast<std::size_t>(kRoom), inked.size()) << y;
      EXPECT_EQ(5, inked.front());
      EXPECT_EQ(5 + kRoom - 1, inked.back());
    }
  }
}

TEST(MakerLettering, NarrowingKeepsTheInkInProportion) {
  // Left half of the mask inked, right half empty: narrowed to the room, the
  // ink covers the left half of the drawn width.
  CoverageMask mask{228, 4, std::vector<std::uint8_t>(228 * 4, 0)};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 114; ++x) mask.coverage[static_cast<std::size_t>(y) * 228 + x] = 255;
  }
  const FrameFit fit = fitLines(kWidth, kHeight, mask.width, mask.height, 0, 0, 0);
  ASSERT_EQ(kRoom, fit.main.drawnWidth);
  Picture frame = filledFrame(kWidth, kHeight, 0x000000);
  drawLine(frame, mask, fit.main, 0x00FF00, Sampling::Smooth);
  const std::vector<int> inked = inkedColumns(frame, fit.main.y, 0x000000);
  ASSERT_EQ(57u, inked.size());
  EXPECT_EQ(5, inked.front());
  EXPECT_EQ(0x00FF00u, frame.at(5, fit.main.y));

  // Half coverage blends halfway.
  CoverageMask grey{1, 1, {128}};
  Picture one = filledFrame(3, 3, 0x000000);
  LineFit place;
  place.x = 1;
  place.y = 1;
  place.drawnWidth = 1;
  place.height = 1;
  place.clipLeft = 0;
  place.clipRight = 3;
  drawLine(one, grey, place, 0xFF8000, Sampling::Smooth);
  EXPECT_EQ(0x804000u, one.at(1, 1));
  drawLine(one, grey, place, 0xFF8000, Sampling::Nearest);
  EXPECT_EQ(0xFF8000u, one.at(1, 1)) << "nearest sampling keeps pixels fully on";
}

TEST(MakerLettering, LedDotsSitOnTheGridOfThePitch) {
  EXPECT_EQ(41, ledDotsAcross(124, 3));
  EXPECT_EQ(19, ledDotsDown(57, 3));
  EXPECT_EQ(1, ledDotsAcross(2, 3));
  EXPECT_EQ(0, ledDotsAcross(1, 3));
  EXPECT_EQ(62, ledDotsAcross(124, 2));
  EXPECT_EQ(15, ledDotsAcross(124, 8));

  const Rgb lit = 0xFF8C00;
  const Rgb unlit = unlitColourOf(lit);
  for (int pitch = kMinDotPitch; pitch <= kMaxDotPitch; ++pitch) {
    const int across = ledDotsAcross(124, pitch);
    const int down = ledDotsDown(57, pitch);
    Picture dots = filledFrame(across, down, 0x000000);
    dots.pixels[0] = 0xFFFFFF;                                          // dot (0, 0) lit
    dots.pixels[static_cast<std::size_t>(across) * down - 1] = 0x123456;  // the last dot lit
    const Picture frame = ledFrame(dots, 124, 57, LedDots{pitch, 0x000000, lit, unlit, false});
    const int size = ledDotSize(pitch);
    for (int y = 0; y < 57; ++y) {
      for (int x = 0; x < 124; ++x) {
        const int column = x / pitch;
        const int row = y / pitch;
        const bool inDot = x % pitch < size && y % pitch < size && column < across && row < down;
        const bool litDot = inDot && ((column == 0 && row == 0) || (column == across - 1 && row == down - 1));
        const Rgb expected = !inDot ? 0x000000 : litDot ? lit : unlit;
        ASSERT_EQ(expected, frame.at(x, y)) << "pitch " << pitch << " at " << x << "," << y;
      }
    }
    const Picture own = ledFrame(dots, 124, 57, LedDots{pitch, 0x000000, lit, unlit, true});
    EXPECT_EQ(0x123456u, own.at((across - 1) * pitch, (down - 1) * pitch)) << pitch;
    EXPECT_EQ(0x000000u, own.at(pitch, 0)) << pitch;
  }
}

}  // namespace
}  // namespace rovenza
