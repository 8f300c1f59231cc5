#include "app/SoundPlaces.h"

#include <gtest/gtest.h>

#include <string>

namespace rovenza {
namespace {

struct PlaceCase {
  std::string program;
  std::string switchFile;
  std::string folder;
};

class SoundPlaces : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SoundPlaces, BesideTheProgram) {
  const PlaceCase& c = GetParam();
  EXPECT_EQ(c.switchFile, soundSwitchPath(c.program));
  EXPECT_EQ(c.folder, soundsFolderBeside(c.program));
}

INSTANTIATE_TEST_SUITE_P(
    Programs, SoundPlaces,
    ::testing::Values(PlaceCase{"C:\\Rovenza\\rovenza.exe", "C:\\Rovenza\\rovenza-sound.ini", "C:\\Rovenza\\sounds"},
                      PlaceCase{"C:\\rovenza.exe", "C:\\rovenza-sound.ini", "C:\\sounds"},
                      // A CP932 trail byte 0x5C ("表" is 95 5C) is not a separator.
                      PlaceCase{"D:\\\x95\x5C\\a.exe", "D:\\\x95\x5C\\a-sound.ini", "D:\\\x95\x5C\\sounds"},
                      PlaceCase{"\x95\x5C.exe", "\x95\x5C-sound.ini", "sounds"},
                      PlaceCase{"Z:/build/win64/panel_test.exe", "Z:/build/win64/panel_test-sound.ini",
                                "Z:/build/win64/sounds"}));

TEST(EffectsPlace, BesideTheProgram) {
  EXPECT_EQ("C:\\Rovenza\\rovenza-effects.ini", effectsSwitchPath("C:\\Rovenza\\rovenza.exe"));
  EXPECT_EQ("D:\\\x95\x5C\\a-effects.ini", effectsSwitchPath("D:\\\x95\x5C\\a.exe"));
}

}  // namespace
}  // namespace rovenza
