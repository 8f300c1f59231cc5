#include "vehicle/FacePlaces.h"

#include <gtest/gtest.h>

#include <vector>

namespace rovenza {
namespace {

bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

const Rect kScreen{0, 0, 1024, 768};
const Rect kMain{0, 0, 450, 450};
const Rect kPanel{0, 450, 270, 661};

TEST(FacePlaces, FacesGoBesideTheWindowsPlacedBeforeWithoutCoveringAnything) {
  const std::vector<Rect> places = placeFaces(kScreen, kMain, kPanel, {{300, 200}, {300, 200}, {500, 100}});
  // Right of the main window; right of the panel; below the panel.
  const std::vector<Rect> expected = {{450, 0, 750, 200}, {270, 450, 570, 650}, {0, 661, 500, 761}};
  ASSERT_EQ(expected.size(), places.size());
  for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_TRUE(expected[k] == places[k]) << k;
}

TEST(FacePlaces, AFaceThatFitsNowhereCascadesWithinTheWorkArea) {
  const std::vector<Rect> places = placeFaces(kScreen, kMain, kPanel, {{700, 700}, {2000, 100}});
  ASSERT_EQ(2u, places.size());
  EXPECT_TRUE((Rect{32, 32, 732, 732}) == places[0]);
  EXPECT_TRUE((Rect{0, 64, 2000, 164}) == places[1]) << "wider than the screen: its left edge";
}

}  // namespace
}  // namespace rovenza
