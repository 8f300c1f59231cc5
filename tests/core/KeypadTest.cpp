#include "panel/Keypad.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "panel/PanelIds.h"

namespace rovenza {
namespace {

// ---- digit keys -------------------------------------------------------------

// A run of keys on one sign: digits 0-9, 'C' for the clear key, '+' for "送",
// '-' for "戻". After each key, the display and the typed entry.
struct KeyRunCase {
  std::string name;
  std::string startDisplay;
  std::string keys;
  std::vector<std::string> displays;
  std::vector<std::string> entries;
};

class KeyRunTest : public ::testing::TestWithParam<KeyRunCase> {};

TEST_P(KeyRunTest, DisplayAndEntryFollowTheKeys) {
  const KeyRunCase& c = GetParam();
  ASSERT_EQ(c.keys.size(), c.displays.size());
  ASSERT_EQ(c.keys.size(), c.entries.size());
  std::string display = c.startDisplay;
  std::string entry;
  for (size_t i = 0; i < c.keys.size(); ++i) {
    const char key = c.keys[i];
    if (key >= '0' && key <= '9') {
      entry = entryAfterDigit(entry, key - '0');
      display = entry;
    } else if (key == 'C') {
      entry.clear();
      display.clear();
    } else {
      const std::optional<std::string> stepped = steppedDisplay(display, key == '+' ? 1 : -1);
      if (stepped) display = *stepped;
    }
    EXPECT_EQ(c.displays[i], display) << "after key " << i << " '" << key << "'";
    EXPECT_EQ(c.entries[i], entry) << "after key " << i << " '" << key << "'";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyRunTest,
    ::testing::Values(
        KeyRunCase{"ThreeDigitsThenAFourthClears", "0", "1234", {"1", "12", "123", ""}, {"1", "12", "123", ""}},
        KeyRunCase{"LeadingZerosAreShown", "0", "007", {"0", "00", "007"}, {"0", "00", "007"}},
        KeyRunCase{"AFourthZeroClearsToo", "0", "0000", {"0", "00", "000", ""}, {"0", "00", "000", ""}},
        KeyRunCase{"NinesUpToTheLimit", "0", "9999", {"9", "99", "999", ""}, {"9", "99", "999", ""}},
        KeyRunCase{"TypingStartsAgainAfterTheClear", "0", "12345", {"1", "12", "123", "", "5"},
                   {"1", "12", "123", "", "5"}},
        KeyRunCase{"ClearEmptiesDisplayAndEntry", "0", "12C", {"1", "12", ""}, {"1", "12", ""}},
        KeyRunCase{"ForwardKeepsTheEntry", "0", "12+5", {"1", "12", "13", "125"}, {"1", "12", "12", "125"}},
        KeyRunCase{"BackKeepsTheEntry", "0", "12-5", {"1", "12", "11", "125"}, {"1", "12", "12", "125"}},
        KeyRunCase{"ForwardStopsAt999", "0", "999+", {"9", "99", "999", "999"}, {"9", "99", "999", "999"}},
        KeyRunCase{"BackStopsAt0", "0", "-", {"0"}, {""}},
        KeyRunCase{"BackOnEmptyDisplayDoesNothing", "", "-", {""}, {""}},
        KeyRunCase{"ForwardOnEmptyDisplayShows1", "", "+", {"1"}, {""}},
        KeyRunCase{"ForwardDropsLeadingZeros", "0", "007+", {"0", "00", "007", "8"}, {"0", "00", "007", "007"}},
        KeyRunCase{"BackFrom1Reaches0ThenStops", "0", "1--", {"1", "0", "0"}, {"1", "1", "1"}},
        KeyRunCase{"ForwardFrom998ReachesTheLimit", "0", "998++-", {"9", "99", "998", "999", "999", "998"},
                   {"9", "99", "998", "998", "998", "998"}}),
    [](const ::testing::TestParamInfo<KeyRunCase>& info) { return info.param.name; });

struct DigitCase {
  std::string entry;
  int digit;
  std::string expected;
};

class EntryAfterDigitTest : public ::testing::TestWithParam<DigitCase> {};

TEST_P(EntryAfterDigitTest, AppendsOrClears) {
  const DigitCase& c = GetParam();
  EXPECT_EQ(c.expected, entryAfterDigit(c.entry, c.digit)) << "entry [" << c.entry << "] digit " << c.digit;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryAfterDigitTest,
    ::testing::Values(DigitCase{"", 0, "0"}, DigitCase{"", 9, "9"}, DigitCase{"9", 9, "99"},
                      DigitCase{"99", 9, "999"}, DigitCase{"999", 0, ""}, DigitCase{"000", 0, ""},
                      DigitCase{"100", 0, ""}, DigitCase{"01", 2, "012"},
                      // Entries the keys never make: the rule still holds and never fails.
                      DigitCase{"12345678901234567890", 1, ""}, DigitCase{"&H", 1, "&H1"},
                      DigitCase{"-1", 5, ""} /* -15 read as unsigned is 1000 or more */,
                      DigitCase{" 1", 2, " 12"}, DigitCase{"&HF", 0, ""}));

// ---- "送" and "戻" ------------------------------------------------------------

struct StepCase {
  std::string display;
  int step;
  std::optional<std::string> expected;
};

class SteppedDisplayTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(SteppedDisplayTest, StepsWithinTheLimits) {
  const StepCase& c = GetParam();
  EXPECT_EQ(c.expected, steppedDisplay(c.display, c.step)) << "display [" << c.display << "] step " << c.step;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SteppedDisplayTest,
    ::testing::Values(StepCase{"0", 1, "1"}, StepCase{"", 1, "1"}, StepCase{"998", 1, "999"},
                      StepCase{"999", 1, std::nullopt}, StepCase{"0999", 1, std::nullopt},
                      StepCase{"0", -1, std::nullopt}, StepCase{"", -1, std::nullopt},
                      StepCase{"000", -1, std::nullopt}, StepCase{"1", -1, "0"}, StepCase{"999", -1, "998"},
                      StepCase{"12", 1, "13"}, StepCase{"007", -1, "6"},
                      // Texts only a layout could put there: the displayed number moves on.
                      StepCase{"1000", 1, "1001"}, StepCase{"-3", -1, "-4"}, StepCase{"3.9", 1, "4"},
                      StepCase{"abc", 1, "1"}, StepCase{"99999999999", 1, "2147483648"},
                      StepCase{"-99999999999", -1, "-2147483649"}));

// ---- control ids ----------------------------------------------------------------

struct CommandCase {
  int id;
  PanelKey key;
  int sign;
  int digit;
};

class PanelCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(PanelCommandTest, MapsTheControlToItsCommand) {
  const CommandCase& c = GetParam();
  const PanelCommand command = panelCommandFor(c.id);
  EXPECT_EQ(c.key, command.key) << "id " << c.id;
  if (c.key == PanelKey::None) return;
  EXPECT_EQ(c.sign, command.sign) << "id " << c.id;
  EXPECT_EQ(c.digit, command.digit) << "id " << c.id;
}

INSTANTIATE_TEST_SUITE_P(
    Ids, PanelCommandTest,
    ::testing::Values(
        CommandCase{1008, PanelKey::Digit, 0, 0}, CommandCase{1012, PanelKey::Digit, 0, 4},
        CommandCase{1017, PanelKey::Digit, 0, 9}, CommandCase{1020, PanelKey::Digit, 1, 0},
        CommandCase{1023, PanelKey::Digit, 1, 3}, CommandCase{1029, PanelKey::Digit, 1, 9},
        CommandCase{1044, PanelKey::Clear, 0, 0}, CommandCase{1045, PanelKey::Clear, 1, 0},
        CommandCase{1019, PanelKey::Start, 0, 0}, CommandCase{1030, PanelKey::Start, 1, 0},
        CommandCase{1018, PanelKey::Reset, 0, 0}, CommandCase{1031, PanelKey::Reset, 1, 0},
        CommandCase{1046, PanelKey::Forward, 0, 0}, CommandCase{1048, PanelKey::Forward, 1, 0},
        CommandCase{1047, PanelKey::Back, 0, 0}, CommandCase{1049, PanelKey::Back, 1, 0},
        CommandCase{1002, PanelKey::None, 0, 0}, CommandCase{1003, PanelKey::None, 0, 0},
        CommandCase{1006, PanelKey::None, 0, 0}, CommandCase{1007, PanelKey::None, 0, 0},
        CommandCase{1032, PanelKey::None, 0, 0}, CommandCase{1033, PanelKey::None, 0, 0},
        CommandCase{1034, PanelKey::None, 0, 0}, CommandCase{1043, PanelKey::None, 0, 0},
        CommandCase{1050, PanelKey::None, 0, 0}, CommandCase{1000, PanelKey::None, 0, 0},
        CommandCase{0, PanelKey::None, 0, 0}, CommandCase{-1008, PanelKey::None, 0, 0},
        CommandCase{1089, PanelKey::None, 0, 0}));

TEST(PanelCommand, EveryKeyOfBothGroupsHasExactlyOneCommand) {
  for (int sign = 0; sign < 2; ++sign) {
    const PanelGroupIds& g = kPanelGroups[sign];
    for (int d = 0; d <= 9; ++d) {
      const PanelCommand c = panelCommandFor(g.digitFirst + d);
      EXPECT_EQ(PanelKey::Digit, c.key);
      EXPECT_EQ(sign, c.sign);
      EXPECT_EQ(d, c.digit);
    }
  }
  int keys = 0;
  for (int id = 1000; id < 1100; ++id) keys += panelCommandFor(id).key != PanelKey::None;
  EXPECT_EQ(2 * 15, keys);  // ten digits, C, ON, 強, 送, 戻 per sign
}

struct UpDownCase {
  int id;
  UpDownField field;
  int sign;
};

class UpDownTargetTest : public ::testing::TestWithParam<UpDownCase> {};

TEST_P(UpDownTargetTest, MapsTheUpDownToItsField) {
  const UpDownCase& c = GetParam();
  const UpDownTarget target = upDownTargetFor(c.id);
  EXPECT_EQ(c.field, target.field) << "id " << c.id;
  if (c.field != UpDownField::None) {
    EXPECT_EQ(c.sign, target.sign) << "id " << c.id;
  }
}

INSTANTIATE_TEST_SUITE_P(Ids, UpDownTargetTest,
                         ::testing::Values(UpDownCase{1034, UpDownField::Speed, 0},
                                           UpDownCase{1037, UpDownField::Interval, 0},
                                           UpDownCase{1041, UpDownField::Speed, 1},
                                           UpDownCase{1043, UpDownField::Interval, 1},
                                           UpDownCase{1033, UpDownField::None, 0},
                                           UpDownCase{1036, UpDownField::None, 0},
                                           UpDownCase{1040, UpDownField::None, 0},
                                           UpDownCase{1042, UpDownField::None, 0},
                                           UpDownCase{1019, UpDownField::None, 0},
                                           UpDownCase{0, UpDownField::None, 0}));

// ---- up-down arrows -------------------------------------------------------------

struct UpDownValueCase {
  std::uint32_t answer;
  int delta;
  std::optional<std::int32_t> expected;
};

class UpDownValueTest : public ::testing::TestWithParam<UpDownValueCase> {};

TEST_P(UpDownValueTest, AddsTheDeltaToThePosition) {
  const UpDownValueCase& c = GetParam();
  EXPECT_EQ(c.expected, upDownFieldValue(c.answer, c.delta)) << "answer " << c.answer << " delta " << c.delta;
}

INSTANTIATE_TEST_SUITE_P(
    Values, UpDownValueTest,
    ::testing::Values(UpDownValueCase{40, 1, 41}, UpDownValueCase{40, -1, 39}, UpDownValueCase{0, -1, -1},
                      UpDownValueCase{1000, 1, 1001} /* not clamped: the up-down clamps itself */,
                      UpDownValueCase{5000, 1, 5001}, UpDownValueCase{0, 0, 0}, UpDownValueCase{65535, 1, 65536},
                      UpDownValueCase{0x00010000u, 1, std::nullopt} /* error answer */,
                      UpDownValueCase{0x00011388u, -1, std::nullopt}, UpDownValueCase{0xFFFFFFFFu, 1, std::nullopt},
                      UpDownValueCase{0xFFFFu, 2147483647, -2147418114} /* wraps, never overflows */));

}  // namespace
}  // namespace rovenza
