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

}  // namespace
}  // namespace rovenza
