#include "form/Template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace rovenza {
namespace {

struct GeometryCase {
  const char* what;
  std::int32_t width;
  std::int32_t frameHeight;
  std::int16_t frames;
  std::int32_t expectedWidth;
  std::int32_t expectedHeight;
  std::vector<std::int32_t> expectedRows;
};

TEST(TemplateGeometry, CanvasSizeAndFrameLines) {
  const GeometryCase cases[] = {
      {"three frames of 120x40", 120, 40, 3, 120, 120, {0, 40, 80}},
      {"one frame has no line", 120, 40, 1, 120, 40, {}},
      {"two frames", 123, 57, 2, 123, 114, {0, 57}},
      {"one-pixel frames", 10, 1, 4, 10, 4, {0, 1, 2, 3}},
      {"twenty-one frames (one step above the field)", 5, 3, 21, 5, 63,
       {0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 51, 54, 57, 60}},
      {"largest window", 1025, 1025, 20, 1025, 20500, {}},
  };
  for (const GeometryCase& c : cases) {
    const TemplateGeometry g = templateGeometry(c.width, c.frameHeight, c.frames);
    EXPECT_EQ(c.expectedWidth, g.width) << c.what;
    EXPECT_EQ(c.expectedHeight, g.height) << c.what;
    EXPECT_FALSE(g.empty()) << c.what;
    if (c.frames >= 2 && c.expectedRows.empty()) {
      // Large cases: every frame's top row, nothing else.
      ASSERT_EQ(static_cast<std::size_t>(c.frames), g.lineRows.size()) << c.what;
      for (std::int16_t i = 0; i < c.frames; ++i) EXPECT_EQ(i * c.frameHeight, g.lineRows[i]) << c.what;
    } else {
      EXPECT_EQ(c.expectedRows, g.lineRows) << c.what;
    }
  }
}

TEST(TemplateGeometry, EveryLineLiesInsideTheCanvas) {
  for (std::int32_t h = 1; h <= 9; ++h) {
    for (std::int16_t n = 0; n <= 22; ++n) {
      const TemplateGeometry g = templateGeometry(7, h, n);
      for (std::int32_t row : g.lineRows) {
        EXPECT_GE(row, 0);
        EXPECT_LT(row, g.height);
        EXPECT_EQ(0, row % h);
      }
      EXPECT_EQ(n >= 2 ? static_cast<std::size_t>(n) : 0u, g.lineRows.size()) << h << "x" << n;
    }
  }
}

TEST(TemplateGeometry, NoRowsGiveNoCanvasAndNoLines) {
  const struct {
    const char* what;
    std::int32_t width;
    std::int32_t frameHeight;
    std::int16_t frames;
  } cases[] = {
      {"height 0, two frames", 120, 0, 2},
      {"height 0, one frame", 120, 0, 1},
      {"height 0, many frames", 120, 0, std::numeric_limits<std::int16_t>::max()},
      {"no frames", 120, 40, 0},
      {"negative frame count", 120, 40, -3},
      {"width 0", 0, 40, 3},
      {"negative height", 120, -40, 3},
      {"height beyond 32 bits", 10, std::numeric_limits<std::int32_t>::max(), 2},
  };
  for (const auto& c : cases) {
    const TemplateGeometry g = templateGeometry(c.width, c.frameHeight, c.frames);
    EXPECT_TRUE(g.empty()) << c.what;
    EXPECT_TRUE(g.lineRows.empty()) << c.what;
  }
}

TEST(TemplateFrameCount, AnLedSignHasOneFrameWhateverIsChosen) {
  const struct {
    std::uint8_t kind;
    std::int16_t chosen;
    std::int16_t expected;
  } cases[] = {{0, 3, 3}, {0, 1, 1}, {0, 0, 0}, {0, 21, 21}, {1, 3, 1}, {1, 0, 1}, {1, 20, 1}, {2, 4, 4}, {7, 5, 5}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, templateFrameCount(c.kind, c.chosen)) << int{c.kind} << "/" << c.chosen;
  }
}

}  // namespace
}  // namespace rovenza
