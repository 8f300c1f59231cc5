#include "sign/LedLook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace rovenza {
namespace {

std::uint32_t channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }
std::uint32_t brightest(std::uint32_t pixel) { return std::max({channel(pixel, 16), channel(pixel, 8), channel(pixel, 0)}); }

// A picture of `columns` x `rows` cells of one pitch, each filled by its own colour.
struct Board {
  int pitch;
  int width;
  int height;
  std::vector<std::uint32_t> pixels;

  Board(int p, int columns, int rows) : pitch(p), width(p * columns), height(p * rows), pixels(width * height, 0) {}
  PixelRows rows() { return PixelRows{pixels.data(), width, width, height}; }
  void fillCell(int cx, int cy, std::uint32_t colour) {
    for (int y = 0; y < pitch; ++y) std::fill_n(&pixels[(cy * pitch + y) * width + cx * pitch], pitch, colour);
  }
  std::uint32_t& at(int cx, int cy, int x, int y) { return pixels[(cy * pitch + y) * width + cx * pitch + x]; }
};

constexpr std::uint32_t kRed = 0xC01020;
constexpr std::uint32_t kDark = 0x303030;  // no channel at the lit level
constexpr std::uint32_t kDimmestLit = 0x004000;

class DotBoard : public ::testing::TestWithParam<int> {};

// Cells: lit red | black | dark grey ; a black cell with one white pixel in a
// corner | the dimmest lit colour | black again, far from any lit cell.
TEST_P(DotBoard, DotCentresGapsAndUnlitDots) {
  const int p = GetParam();
  Board board(p, 3, 3);
  board.fillCell(0, 0, kRed);
  board.fillCell(2, 0, kDark);
  board.at(0, 1, p - 1, 0) = 0xFFFFFF;
  board.fillCell(1, 1, kDimmestLit);
  drawDotBoard(board.rows(), p);
  const DotCell cell(p);
  const int c = cell.centre();
  const int gap = p - 1;  // the far corner of a cell lies in the gap

  // Lit dots keep the picture's colour at their middle; the gap shows no
  // more than a glow of a quarter of it.
  EXPECT_EQ(kRed, board.at(0, 0, c, c));
  EXPECT_EQ(0xFFFFFFu, board.at(0, 1, c, c)) << "a cell takes its brightest pixel's colour";
  EXPECT_EQ(kDimmestLit, board.at(1, 1, c, c));
  EXPECT_LE(channel(board.at(0, 0, gap, gap), 16), channel(kRed, 16) / 4);
  EXPECT_LT(board.at(0, 1, gap, gap), 0x404040u);
  // Unlit dots: dim, not black, at most half as bright as the dimmest lit dot.
  for (const auto& unlit : {std::pair{1, 0}, std::pair{2, 0}, std::pair{2, 2}}) {
    EXPECT_EQ(kUnlitDot, board.at(unlit.first, unlit.second, c, c)) << unlit.first << "," << unlit.second;
    EXPECT_EQ(kBoard, board.at(unlit.first, unlit.second, gap, gap));
  }
  EXPECT_GT(brightest(kUnlitDot), 0u);
  EXPECT_LE(2 * brightest(kUnlitDot), brightest(board.at(1, 1, c, c)));
  // No glow reaches a neighbour: the unlit cell beside the red dot is drawn
  // as the one far from any lit cell.
  for (int y = 0; y < p; ++y) {
    for (int x = 0; x < p; ++x) EXPECT_EQ(board.at(2, 2, x, y), board.at(1, 0, x, y)) << x << "," << y;
  }
  // Nothing in a lit cell is brighter than its dot.
  for (int y = 0; y < p; ++y) {
    for (int x = 0; x < p; ++x) {
      for (int shift : {0, 8, 16}) EXPECT_LE(channel(board.at(0, 0, x, y), shift), channel(kRed, shift));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pitches, DotBoard, ::testing::Range(kMinDotPitch, kMaxDotPitch + 1),
                         [](const ::testing::TestParamInfo<int>& info) { return "pitch" + std::to_string(info.param); });

TEST(DotBoard, CellsCutShortAtTheEdgesAndPicturesStoredBottomUp) {
  // 7 x 5 at pitch 3: the last column and the last row of cells are cut short.
  std::vector<std::uint32_t> topDown(7 * 5, 0x00FF00);
  std::vector<std::uint32_t> bottomUp(topDown);
  drawDotBoard(PixelRows{topDown.data(), 7, 7, 5}, 3);
  drawDotBoard(PixelRows{bottomUp.data() + 4 * 7, -7, 7, 5}, 3);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(topDown[y * 7 + x], bottomUp[(4 - y) * 7 + x]) << x << "," << y;
  }
  EXPECT_EQ(0x00FF00u, topDown[1 * 7 + 1]);
  EXPECT_EQ(0x00FF00u, topDown[4 * 7 + 4]) << "the middle of a cut cell";
  EXPECT_NE(0x00FF00u, topDown[0]);
}

// A cell cut by the right or bottom edge shows a dot when its dot's middle
// pixel is left, and the bare board otherwise: never a rim or a glow.
TEST(DotBoard, ACellCutBeforeItsDotsMiddleShowsTheBoardOnly) {
  struct Row {
    int width, height, pitch;
    std::uint32_t colour;
  };
  const Row rows[] = {
      {1, 1, 5, 0xFFFFFF}, {2, 5, 5, 0xFFFFFF}, {5, 2, 5, 0x00FF00}, {3, 3, 8, 0xFFFFFF},
      {1, 1, 5, kDark},    {4, 3, 3, 0xFFFFFF}, {9, 9, 4, 0xFFFFFF}, {3, 5, 5, 0xFFFFFF},
  };
  for (const Row& row : rows) {
    std::vector<std::uint32_t> pixels(row.width * row.height, row.colour);
    drawDotBoard(PixelRows{pixels.data(), row.width, row.width, row.height}, row.pitch);
    const int centre = DotCell(row.pitch).centre();
    for (int y = 0; y < row.height; ++y) {
      for (int x = 0; x < row.width; ++x) {
        const int cellLeft = x - x % row.pitch;
        const int cellTop = y - y % row.pitch;
        const bool middleLeft = cellLeft + centre < row.width && cellTop + centre < row.height;
        if (!middleLeft) {
          EXPECT_EQ(kBoard, pixels[y * row.width + x]) << row.width << "x" << row.height << " pitch " << row.pitch
                                                        << " at " << x << "," << y;
        } else if (x % row.pitch == centre && y % row.pitch == centre) {
          EXPECT_EQ(row.colour == kDark ? kUnlitDot : row.colour, pixels[y * row.width + x]);
        }
      }
    }
  }
}

struct DotsSizeCase {
  int pictureWidth, pictureHeight, pitch, openingWidth, openingHeight;
  PixelDotsSize size;
};

TEST(PixelDots, CoverTheOpeningFromItsTopLeftCutAtItsEdge) {
  const DotsSizeCase cases[] = {
      {128, 32, 3, 300, 100, {300, 96}},  // a panel's picture in a smaller opening: cut at the right
      {4, 2, 3, 20, 20, {12, 6}},         // a small picture leaves the rest of the opening
      {4, 2, 8, 20, 20, {20, 16}},
      {4, 2, 9, 20, 20, {12, 6}},  // a pitch out of range is the default
      {0, 2, 3, 20, 20, {0, 0}},
      {4, 2, 3, 0, 20, {0, 0}},
      {100000, 100000, 8, 500, 200, {500, 200}},  // never more than the opening
  };
  for (const DotsSizeCase& c : cases) {
    EXPECT_EQ(c.size, pixelDotsSize(c.pictureWidth, c.pictureHeight, c.pitch, c.openingWidth, c.openingHeight))
        << c.pictureWidth << "x" << c.pictureHeight << " pitch " << c.pitch;
  }
}

// Each pixel of a picture one cell: with the look, exactly the dot board of
// the picture blown up to cells of the pitch and cut where the opening ends;
// without, that blown-up picture itself.
TEST(PixelDots, EachPixelACellOfTheDotBoardOrASquare) {
  const std::vector<std::uint32_t> picture = {kRed, kDark, 0xFFFFFF, kDimmestLit, 0, 0x00FF00};  // 3 x 2
  for (int pitch = kMinDotPitch; pitch <= kMaxDotPitch; ++pitch) {
    for (const bool look : {false, true}) {
      // Openings cutting the last column and row of cells, and one larger than the picture.
      for (const auto& [width, height] : {std::pair{3 * pitch - 1, 2 * pitch - 1}, std::pair{4 * pitch, 3 * pitch}}) {
        const PixelDotsSize size = pixelDotsSize(3, 2, pitch, width, height);
        std::vector<std::uint32_t> expected(static_cast<std::size_t>(size.width) * size.height);
        for (int y = 0; y < size.height; ++y) {
          for (int x = 0; x < size.width; ++x) expected[y * size.width + x] = picture[(y / pitch) * 3 + x / pitch];
        }
        if (look) drawDotBoard(PixelRows{expected.data(), size.width, size.width, size.height}, pitch);
        // The shown picture stored bottom row first, as a DIB section is.
        std::vector<std::uint32_t> shown(expected.size(), 0x123456);
        const PixelRows bottomUp{shown.data() + (size.height - 1) * size.width, -size.width, size.width, size.height};
        drawPixelDots(PixelRows{const_cast<std::uint32_t*>(picture.data()), 3, 3, 2}, bottomUp, pitch, look);
        for (int y = 0; y < size.height; ++y) {
          for (int x = 0; x < size.width; ++x) {
            ASSERT_EQ(expected[y * size.width + x], bottomUp.row(y)[x])
                << "pitch " << pitch << (look ? " look" : "") << " opening " << width << "x" << height << " at " << x
                << "," << y;
          }
        }
      }
    }
  }
  // At pitch 4 the red pixel's dot is red at its middle, the dark one's an unlit dot.
  std::vector<std::uint32_t> shown(8 * 4, 0);
  drawPixelDots(PixelRows{const_cast<std::uint32_t*>(picture.data()), 3, 3, 1}, PixelRows{shown.data(), 8, 8, 4}, 4, true);
  EXPECT_EQ(kRed, shown[1 * 8 + 1]);
  EXPECT_EQ(kUnlitDot, shown[1 * 8 + 5]);
  EXPECT_EQ(kBoard, shown[3 * 8 + 7]);
}

struct PitchText {
  const char* text;
  int pitch;
};

class DotPitchText : public ::testing::TestWithParam<PitchText> {};

TEST_P(DotPitchText, KeptWithinTheRange) { EXPECT_EQ(GetParam().pitch, dotPitchFromText(GetParam().text)); }

INSTANTIATE_TEST_SUITE_P(Texts, DotPitchText,
                         ::testing::Values(PitchText{"3", 3}, PitchText{"2", 2}, PitchText{"8", 8}, PitchText{" 5 ", 5},
                                           PitchText{"1", 2}, PitchText{"0", 2}, PitchText{"9", 8},
                                           PitchText{"", 3}, PitchText{"abc", 3}, PitchText{"-4", 3},
                                           PitchText{"4x", 3}, PitchText{"99999999999", 3}));

}  // namespace
}  // namespace rovenza
