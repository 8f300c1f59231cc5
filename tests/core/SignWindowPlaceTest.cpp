#include "sign/SignWindowPlace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace rovenza {
namespace {

TEST(SignWindowPlace, APictureAWindowCanHoldIsTheWindowAtTheStripOffset) {
  for (std::int32_t offset : {0, -57, -37050, -40000, 114, INT32_MIN, INT32_MAX}) {
    for (std::int32_t height : {0, 684, kMaxWindowExtent}) {
      const SignWindowPlace place = signWindowPlace(height, 57, offset, 0);
      EXPECT_EQ(offset, place.top) << height;
      EXPECT_EQ(height, place.height);
      EXPECT_EQ(0, place.firstRow);
    }
  }
}

// Whether the window, placed in an opening of `opening` rows, shows there
// exactly the picture rows the strip offset puts there.
void expectOpeningShown(const SignWindowPlace& place, std::int32_t picture, std::int32_t opening,
                        std::int32_t offset) {
  EXPECT_EQ(kMaxWindowExtent, place.height);
  EXPECT_GE(place.top, -32768);
  EXPECT_LE(place.top, 32767);
  EXPECT_GE(place.firstRow, 0);
  EXPECT_LE(place.firstRow, picture - kMaxWindowExtent);
  const std::int64_t from = std::max<std::int64_t>(-std::int64_t{offset}, 0);
  const std::int64_t to = std::min<std::int64_t>(-std::int64_t{offset} + opening, picture);
  if (from >= to) {
    // No picture row in the opening: the window stays off it.
    EXPECT_TRUE(place.top >= opening || place.top + place.height <= 0) << offset;
    return;
  }
  EXPECT_EQ(std::int64_t{offset} + place.firstRow, place.top) << offset;
  EXPECT_LE(place.firstRow, from) << offset;
  EXPECT_GE(std::int64_t{place.firstRow} + place.height, to) << offset;
}

TEST(SignWindowPlace, ATallStripRolledPixelByPixelShowsEveryRowOfTheOpening) {
  constexpr std::int32_t kPicture = 40014;
  constexpr std::int32_t kOpening = 57;
  std::int32_t first = 0;
  int moves = 0;
  for (std::int32_t offset = 57; offset >= -kPicture - 57; --offset) {
    const SignWindowPlace place = signWindowPlace(kPicture, kOpening, offset, first);
    expectOpeningShown(place, kPicture, kOpening, offset);
    if (place.firstRow != first) ++moves;
    first = place.firstRow;
  }
  EXPECT_EQ(1, moves) << "the window takes other rows only when the opening leaves the ones it holds";
  for (std::int32_t offset = -kPicture - 57; offset <= 57; ++offset) {
    const SignWindowPlace place = signWindowPlace(kPicture, kOpening, offset, first);
    expectOpeningShown(place, kPicture, kOpening, offset);
    first = place.firstRow;
  }
  EXPECT_EQ(0, first);
}

TEST(SignWindowPlace, AFarFrameOfAStripAtTheCeilingIsReachedInOneMove) {
  constexpr std::int32_t kPicture = 541200;  // 124 x 541,200 pixels
  for (std::int32_t offset : {-9000 * 57, -9494 * 57, INT32_MIN, INT32_MAX}) {
    expectOpeningShown(signWindowPlace(kPicture, 57, offset, 0), kPicture, 57, offset);
  }
}

}  // namespace
}  // namespace rovenza
