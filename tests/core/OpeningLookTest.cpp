#include "sign/OpeningLook.h"

#include <gtest/gtest.h>

namespace rovenza {
namespace {

TEST(OpeningLook, TheSignsKindAndTheLookDecideHowItsOpeningIsDrawn) {
  const struct {
    SignKind kind;
    bool lookOn;
    OpeningLook look;
  } cases[] = {
      {SignKind::RollFilm, false, OpeningLook::Plain}, {SignKind::RollFilm, true, OpeningLook::Film},
      {SignKind::Led, false, OpeningLook::Plain},      {SignKind::Led, true, OpeningLook::Dots},
      {SignKind::Hidden, false, OpeningLook::Plain},   {SignKind::Hidden, true, OpeningLook::Plain},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.look, openingLook(c.kind, c.lookOn)) << static_cast<int>(c.kind) << " " << c.lookOn;
  }
}

}  // namespace
}  // namespace rovenza
