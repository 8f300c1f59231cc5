#include "state/Geometry.h"

#include <gtest/gtest.h>

namespace rovenza {
namespace {

struct CenterCase {
  Rect desktop;
  int width, height;
  int x, y;
};

class CenteredOriginTest : public ::testing::TestWithParam<CenterCase> {};

TEST_P(CenteredOriginTest, TruncatesTowardZeroWithoutDesktopOrigin) {
  const CenterCase& c = GetParam();
  const Point p = centeredOrigin(c.desktop, c.width, c.height);
  EXPECT_EQ(c.x, p.x);
  EXPECT_EQ(c.y, p.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CenteredOriginTest,
    ::testing::Values(CenterCase{{0, 0, 1024, 768}, 270, 211, 377, 278},   // 278.5 -> 278
                      CenterCase{{0, 0, 1025, 769}, 270, 211, 377, 279},
                      CenterCase{{0, 0, 100, 100}, 301, 303, -100, -101},  // -100.5 -> -100, -101.5 -> -101
                      CenterCase{{-1280, 0, 1024, 768}, 270, 211, 377, 278}));

TEST(Geometry, ClientOriginIsTheDifferenceOfTheTwoPoints) {
  const Point p = clientOriginInParent(Point{300, 200}, Point{223, 174});
  EXPECT_EQ(77, p.x);
  EXPECT_EQ(26, p.y);
}

TEST(Geometry, CornerRegionHasOneExtraPixelRightAndBottom) {
  const Rect r = cornerRegionRect(123, 57);
  EXPECT_EQ(0, r.left);
  EXPECT_EQ(0, r.top);
  EXPECT_EQ(124, r.right);
  EXPECT_EQ(58, r.bottom);
}

TEST(Geometry, AReachablePlaceStaysAndAnyOtherMovesOntoTheWorkArea) {
  constexpr std::int32_t kMax = 2147483647;
  constexpr Rect kScreen{0, 0, 1024, 768};
  struct Case {
    const char* what;
    Rect window, workArea;
    Point origin;
  };
  const Case cases[] = {
      {"on screen", {10, 20, 510, 420}, kScreen, {10, 20}},
      {"far up left", {-30000, -30000, -29550, -29550}, kScreen, {0, 0}},
      {"far down right", {50000, 50000, 50270, 50211}, kScreen, {754, 557}},
      {"48 pixels of caption on the left", {-402, 100, 48, 550}, kScreen, {-402, 100}},
      {"47 pixels of caption on the right", {977, 100, 1427, 550}, kScreen, {574, 100}},
      {"half the caption above the top", {100, -11, 550, 439}, kScreen, {100, -11}},
      {"more than half below the bottom", {100, 758, 550, 1208}, kScreen, {100, 318}},
      {"a narrow window partly off", {-1, 0, 29, 30}, kScreen, {0, 0}},
      {"larger than the work area", {5000, 5000, 7000, 6000}, kScreen, {0, 0}},
      {"a monitor left of the primary", {-3000, 10, -2550, 460}, {-1280, 30, 0, 1024}, {-1280, 30}},
      {"no width", {-500, 10, -500, 460}, kScreen, {0, 10}},
      {"at the end of the coordinates", {kMax - 10, kMax - 10, kMax, kMax}, kScreen, {1014, 758}},
  };
  for (const Case& c : cases) {
    const Point p = reachableOrigin(c.window, 22, c.workArea);
    EXPECT_EQ(c.origin.x, p.x) << c.what;
    EXPECT_EQ(c.origin.y, p.y) << c.what;
    EXPECT_EQ(p.x == c.window.left && p.y == c.window.top, isReachable(c.window, 22, c.workArea)) << c.what;
  }
}

}  // namespace
}  // namespace rovenza
