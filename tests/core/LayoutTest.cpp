#include "layout/Layout.h"

#include <gtest/gtest.h>

namespace rovenza {
namespace {

TEST(Layout, StartsEmptyWithRollFilmSigns) {
  const Layout layout;
  EXPECT_TRUE(layout.backgroundPicture.empty());
  for (const SignSpec& sign : layout.signs) {
    EXPECT_EQ(0, sign.kind);
    EXPECT_EQ(0, sign.speed);
    EXPECT_EQ(0, sign.interval);
    EXPECT_EQ(0, sign.cornerRound);
    EXPECT_TRUE(sign.picturePath.empty());
  }
}

TEST(Layout, UnknownKindCodesCountAsHidden) {
  EXPECT_EQ(SignKind::RollFilm, effectiveKind(0));
  EXPECT_EQ(SignKind::Led, effectiveKind(1));
  for (int code = 2; code < 256; ++code) {
    EXPECT_EQ(SignKind::Hidden, effectiveKind(static_cast<std::uint8_t>(code))) << code;
  }
}

}  // namespace
}  // namespace rovenza
