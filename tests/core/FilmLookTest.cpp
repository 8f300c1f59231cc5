#include "sign/FilmLook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace rovenza {
namespace {

std::uint32_t channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

class FilmShading : public ::testing::TestWithParam<int> {};

// The rollers darken the top and bottom eighth smoothly to about 40 %; the
// backlight between them varies by no more than 10 %; the middle shows the
// film as it is; top and bottom alike.
TEST_P(FilmShading, RollersAndBacklight) {
  const int h = GetParam();
  const std::vector<std::uint16_t> light = filmShading(h);
  ASSERT_EQ(static_cast<std::size_t>(h), light.size());
  EXPECT_EQ(256, light[h / 2]);
  EXPECT_GE(light[0], 0.35 * 256);
  EXPECT_LE(light[0], 0.45 * 256);
  const int band = (h + 7) / 8;
  for (int y = 0; y < h; ++y) {
    EXPECT_EQ(light[y], light[h - 1 - y]) << y;
    if (y >= band && y < h - band) {
      EXPECT_GE(light[y], 0.9 * 256) << y;
    }
    if (y > 0 && y <= h / 2) {
      EXPECT_GE(light[y], light[y - 1]) << y;
      EXPECT_LE(light[y] - light[y - 1], 0.2 * 256) << "smooth at row " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Heights, FilmShading, ::testing::Values(48, 57, 64, 200, 768));

// A film of `width` x `height` in one colour, stored bottom row first as the
// signs' pictures are.
struct Film {
  std::int64_t width;
  std::int64_t height;
  std::vector<std::uint32_t> pixels;
  Film(std::int64_t w, std::int64_t h, std::uint32_t colour) : width(w), height(h), pixels(w * h, colour) {}
  std::uint32_t& at(std::int64_t x, std::int64_t y) { return pixels[(height - 1 - y) * width + x]; }
  FilmRows rows() const { return FilmRows{pixels.data() + (height - 1) * width, -width, width, height}; }
};

TEST(FilmOpening, FilmWhereItCoversTheOpeningWhiteAroundAndTheMiddleAsItIs) {
  Film film(4, 20, 0x80C040);
  FilmOpening opening;
  const int w = 6;
  const int h = 16;
  const std::uint32_t* px = opening.draw(film.rows(), 2, w, h, 0);
  ASSERT_NE(nullptr, px);
  const std::vector<std::uint16_t> light = filmShading(h);
  EXPECT_EQ(0x80C040u, px[8 * w + 0]) << "the middle row shows the film";
  EXPECT_EQ(0xFFFFFFu, px[8 * w + 5]) << "white beside a narrow film";
  EXPECT_EQ(px[0], px[5]) << "white above the film";
  EXPECT_LT(channel(px[0], 0), 0.5 * 255);
  EXPECT_LT(channel(px[2 * w], 8), channel(px[8 * w], 8)) << "the film darkens near the top";
  EXPECT_EQ(channel(px[(h - 1) * w + 1], 8), channel(0xC0u * light[h - 1] >> 8, 0));
}

// The shading stays with the opening: a plain film shows the same opening
// wherever it stands.
TEST(FilmOpening, TheShadingDoesNotTravelWithTheFilm) {
  Film film(8, 100, 0x406080);
  FilmOpening opening;
  const std::vector<std::uint32_t> atTop(opening.draw(film.rows(), 0, 8, 30, 0),
                                         opening.draw(film.rows(), 0, 8, 30, 0) + 8 * 30);
  const std::uint32_t* moved = opening.draw(film.rows(), -37, 8, 30, 0);
  EXPECT_TRUE(std::equal(atTop.begin(), atTop.end(), moved));
  const std::uint32_t* blurred = opening.draw(film.rows(), -37, 8, 30, kMaxBlurRows);
  for (std::size_t i = 0; i < atTop.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      EXPECT_LE(std::abs(static_cast<int>(channel(atTop[i], shift)) - static_cast<int>(channel(blurred[i], shift))), 1)
          << "a plain film blurs into itself at " << i;
    }
  }
}

// One white row on black film spreads over the rows of the blur, centred on
// it; the film far off the opening leaves it white.
TEST(FilmOpening, BlurSpreadsARowOverItsRows) {
  Film film(1, 40, 0x000000);
  film.at(0, 15) = 0xFFFFFF;
  FilmOpening opening;
  const int h = 20;
  const std::uint32_t* px = opening.draw(film.rows(), -5, 1, h, 4);
  for (int r = 0; r < h; ++r) {
    const bool under = r >= 8 && r <= 11;
    EXPECT_EQ(under, px[r] != 0) << r;
  }
  EXPECT_EQ(0x3F3F3Fu, px[9]) << "a quarter of white, at full light";
  EXPECT_EQ(0x3F3F3Fu, px[10]);
  const std::uint32_t* sharp = opening.draw(film.rows(), -5, 1, h, 1);
  for (int r = 0; r < h; ++r) EXPECT_EQ(r == 10 ? 0xFFFFFFu : 0u, sharp[r]) << r;
  const std::uint32_t* away = opening.draw(film.rows(), 500, 1, h, kMaxBlurRows);
  EXPECT_EQ(0xFFFFFFu, away[h / 2]);
}

struct BlurCase {
  std::int32_t speedMs;
  int rows;
};

class FilmBlur : public ::testing::TestWithParam<BlurCase> {};

// The rows the film moves in 1/60 s, none at 60 pixels a second or slower.
TEST_P(FilmBlur, RowsMovedInASixtiethOfASecond) { EXPECT_EQ(GetParam().rows, filmBlurRows(GetParam().speedMs)); }

INSTANTIATE_TEST_SUITE_P(Speeds, FilmBlur,
                         ::testing::Values(BlurCase{0, kMaxBlurRows}, BlurCase{1, 12}, BlurCase{2, 8}, BlurCase{5, 3},
                                           BlurCase{10, 2}, BlurCase{16, 1}, BlurCase{17, 0}, BlurCase{1000, 0}));

TEST(FilmBlur, NoneWhereTheFilmStopsAfterAStep) {
  const RollPlan plan = planRoll(0, 2, 10);  // 20 steps, a frame boundary after step 10
  ASSERT_EQ(20, plan.steps);
  struct Case {
    RollPauses pauses;
    std::int64_t step;
    int rows;
  };
  const Case cases[] = {
      {{2, 100}, 5, 8},  {{2, 100}, 10, 0}, {{2, 100}, 20, 0}, {{2, 0}, 10, 8},
      {{2, 15}, 10, 0},  {{2, 14}, 10, 8},  {{0, 0}, 19, kMaxBlurRows}, {{0, 0}, 20, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.rows, rollStepBlur(plan, c.pauses, c.step))
        << "speed " << c.pauses.speedMs << ", interval " << c.pauses.intervalMs << ", step " << c.step;
  }
}

}  // namespace
}  // namespace rovenza
