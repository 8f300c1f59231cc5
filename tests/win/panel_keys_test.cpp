// The operation panel's digit and clear keys and its up-down arrows, driven
// as a user drives them: clicks on enabled keys and arrows.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/PanelIds.h"
#include "panel/win32/PanelWindow.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

class PanelKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    panel = app.panelWindow;
    ASSERT_TRUE(IsWindow(panel));
    ASSERT_TRUE(IsWindowEnabled(panel));
  }
  HWND item(int id) const { return GetDlgItem(panel, id); }
  std::string text(int id) const { return test::windowText(item(id)); }

  // Clicks a key as a user would: only an enabled key on an enabled panel.
  void click(int id) {
    HWND key = item(id);
    ASSERT_TRUE(key) << id;
    ASSERT_TRUE(IsWindowEnabled(panel) && IsWindowEnabled(key)) << "key " << id << " is disabled";
    SendMessageA(key, BM_CLICK, 0, 0);
    test::pumpPending();
  }
  void type(int sign, const std::string& digits) {
    for (char d : digits) click(kPanelGroups[sign].digitFirst + (d - '0'));
  }

  // Presses and releases the mouse on the upper (up = true) or lower half of
  // an up-down control.
  void clickArrow(int id, bool up) {
    HWND upDown = item(id);
    ASSERT_TRUE(IsWindowEnabled(panel) && IsWindowEnabled(upDown)) << "up-down " << id << " is disabled";
    const RECT client = test::clientRect(upDown);
    const LPARAM at = MAKELPARAM(client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
    SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(upDown, WM_LBUTTONUP, 0, at);
    test::pumpPending();
  }

  ProgramSession session;
  HWND panel = nullptr;
};

TEST_F(PanelKeys, DisplaysStartAtZeroWithNoEntry) {
  EXPECT_EQ("0", text(1002));
  EXPECT_EQ("0", text(1003));
  EXPECT_EQ("0", numberDisplayText(0));
  EXPECT_EQ("0", numberDisplayText(1));
  EXPECT_EQ("", app.signStates[0].entry);
  EXPECT_EQ("", app.signStates[1].entry);
}

// Clicks on one sign's digit and clear keys: the display and the typed
// digits after each click.
struct KeyCase {
  const char* name;
  int sign;
  std::string keys;  // digits, or 'C' for the clear key
  std::vector<std::string> displays;
};

class PanelKeyRuns : public PanelKeys, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PanelKeyRuns, DisplayFollowsTheKeys) {
  const KeyCase& c = GetParam();
  const PanelGroupIds& ids = kPanelGroups[c.sign];
  const PanelGroupIds& other = kPanelGroups[1 - c.sign];
  for (size_t i = 0; i < c.keys.size(); ++i) {
    const char key = c.keys[i];
    click(key == 'C' ? ids.clear : ids.digitFirst + (key - '0'));
    EXPECT_EQ(c.displays[i], text(ids.numberDisplay)) << "after key " << i << " '" << key << "'";
    EXPECT_EQ(c.displays[i], app.signStates[c.sign].entry) << "after key " << i;
    // The other sign's group is not touched.
    EXPECT_EQ("0", text(other.numberDisplay));
    EXPECT_EQ("", app.signStates[1 - c.sign].entry);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PanelKeyRuns,
    ::testing::Values(KeyCase{"FirstSignThreeDigitsThenAFourthClears", 0, "1234", {"1", "12", "123", ""}},
                      KeyCase{"SecondSignThreeDigitsThenAFourthClears", 1, "1234", {"1", "12", "123", ""}},
                      KeyCase{"LeadingZerosStay", 0, "007", {"0", "00", "007"}},
                      KeyCase{"EveryDigitKeyOfTheFirstSign", 0, "9876543210",
                              {"9", "98", "987", "", "5", "54", "543", "", "1", "10"}},
                      KeyCase{"EveryDigitKeyOfTheSecondSign", 1, "0123456789",
                              {"0", "01", "012", "", "4", "45", "456", "", "8", "89"}},
                      KeyCase{"ClearEmptiesTheDisplay", 0, "12C", {"1", "12", ""}},
                      KeyCase{"ClearOfTheSecondSign", 1, "5C3", {"5", "", "3"}},
                      KeyCase{"ClearOnAnEmptyEntry", 1, "C", {""}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(PanelKeys, OnlyClicksRunCommands) {
  // Other button notifications (double click, focus) reaching the panel do nothing.
  for (WORD code : {WORD{BN_DOUBLECLICKED}, WORD{BN_SETFOCUS}, WORD{BN_KILLFOCUS}, WORD{1}}) {
    SendMessageA(panel, WM_COMMAND, MAKEWPARAM(1009, code), reinterpret_cast<LPARAM>(item(1009)));
    SendMessageA(panel, WM_COMMAND, MAKEWPARAM(1021, code), reinterpret_cast<LPARAM>(item(1021)));
  }
  EXPECT_EQ("0", text(1002));
  EXPECT_EQ("0", text(1003));
  EXPECT_EQ("", app.signStates[0].entry);
  // Ids without a command are ignored.
  for (int id : {0, 1000, 1002, 1006, 1033, 1034, 1050, 0xFFFF}) {
    EXPECT_EQ(0, SendMessageA(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0));
  }
  EXPECT_EQ("0", text(1002));
  EXPECT_EQ("0", text(1003));
}

// Subclasses the panel for the length of a test and records the
// notification code of each WM_COMMAND from one control.
struct CommandRecorder {
  static inline std::vector<WORD> codes;
  static inline int watched = 0;
  static inline WNDPROC original = nullptr;

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == watched) codes.push_back(HIWORD(wParam));
    return CallWindowProcA(original, window, message, wParam, lParam);
  }
  CommandRecorder(HWND panel, int id) : panel_(panel) {
    codes.clear();
    watched = id;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CommandRecorder::procedure)));
  }
  ~CommandRecorder() { SetWindowLongPtrA(panel_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original)); }
  HWND panel_;
};

// The click and double-click codes among the recorded ones (a notify-style
// button also reports focus changes).
std::vector<WORD> clicks(const std::vector<WORD>& codes) {
  std::vector<WORD> kept;
  for (WORD code : codes) {
    if (code == BN_CLICKED || code == BN_DOUBLECLICKED) kept.push_back(code);
  }
  return kept;
}

void doubleClick(HWND button) {
  const LPARAM at = MAKELPARAM(5, 5);
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(button, WM_LBUTTONUP, 0, at);
  SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(button, WM_LBUTTONUP, 0, at);
  test::pumpPending();
}

TEST_F(PanelKeys, FirstStartKeyReportsItsSecondClickAsADoubleClick) {
  {
    CommandRecorder record(panel, 1019);
    doubleClick(item(1019));
    EXPECT_EQ((std::vector<WORD>{BN_CLICKED, BN_DOUBLECLICKED}), clicks(CommandRecorder::codes));
  }
  {
    CommandRecorder record(panel, 1030);
    doubleClick(item(1030));
    EXPECT_EQ((std::vector<WORD>{BN_CLICKED, BN_CLICKED}), clicks(CommandRecorder::codes));
  }
}

TEST_F(PanelKeys, DoubleClickOnADigitKeyTypesTwice) {
  // The digit keys have no notify style: both clicks of a double click count.
  doubleClick(item(1013));
  EXPECT_EQ("55", text(1002));
  doubleClick(item(1027));
  EXPECT_EQ("77", text(1003));
}

// ---- speed and interval arrows ------------------------------------------------

struct ArrowCase {
  const char* name;
  int upDown;
  int edit;
  int sign;
  bool speed;
};

class PanelArrows : public PanelKeys, public ::testing::WithParamInterface<ArrowCase> {
 protected:
  std::int32_t field() const {
    const ArrowCase& c = GetParam();
    return c.speed ? app.layout.signs[c.sign].speed : app.layout.signs[c.sign].interval;
  }
};

TEST_P(PanelArrows, UpArrowWritesTheNextNumberIntoTheLayout) {
  const ArrowCase& c = GetParam();
  SetWindowTextA(item(c.edit), "40");
  clickArrow(c.upDown, true);
  EXPECT_EQ(41, field());
  EXPECT_EQ("41", text(c.edit));
  clickArrow(c.upDown, true);
  EXPECT_EQ(42, field());
  EXPECT_EQ("42", text(c.edit));
}

TEST_P(PanelArrows, DownArrowWritesThePreviousNumber) {
  const ArrowCase& c = GetParam();
  SetWindowTextA(item(c.edit), "40");
  clickArrow(c.upDown, false);
  EXPECT_EQ(39, field());
  EXPECT_EQ("39", text(c.edit));
}

TEST_P(PanelArrows, ArrowsStopAtTheEndsOfTheRange) {
  const ArrowCase& c = GetParam();
  // At 0 the down arrow proposes -1: the layout takes the sum as it is, the
  // up-down keeps its number within its range.
  SetWindowTextA(item(c.edit), "0");
  clickArrow(c.upDown, false);
  EXPECT_EQ(-1, field());
  EXPECT_EQ("0", text(c.edit));
  clickArrow(c.upDown, true);
  EXPECT_EQ(1, field());
  EXPECT_EQ("1", text(c.edit));
}

TEST_P(PanelArrows, ArrowsLeaveTheOtherFieldsAlone) {
  const ArrowCase& c = GetParam();
  const Layout before = app.layout;
  SetWindowTextA(item(c.edit), "7");
  clickArrow(c.upDown, true);
  for (int sign = 0; sign < 2; ++sign) {
    const bool mineSpeed = sign == c.sign && c.speed;
    const bool mineInterval = sign == c.sign && !c.speed;
    if (!mineSpeed) {
      EXPECT_EQ(before.signs[sign].speed, app.layout.signs[sign].speed) << sign;
    }
    if (!mineInterval) {
      EXPECT_EQ(before.signs[sign].interval, app.layout.signs[sign].interval) << sign;
    }
  }
  EXPECT_EQ(8, field());
}

INSTANTIATE_TEST_SUITE_P(Arrows, PanelArrows,
                         ::testing::Values(ArrowCase{"FirstSpeed", 1034, 1033, 0, true},
                                           ArrowCase{"FirstInterval", 1037, 1036, 0, false},
                                           ArrowCase{"SecondSpeed", 1041, 1040, 1, true},
                                           ArrowCase{"SecondInterval", 1043, 1042, 1, false}),
                         [](const ::testing::TestParamInfo<ArrowCase>& info) { return std::string(info.param.name); });

TEST_F(PanelKeys, ArrowAtTheTopOfTheRangeKeepsTheUpDownThere) {
  setSpeedPosition(0, 1000);
  setIntervalPosition(1, 5000);
  clickArrow(1034, true);
  clickArrow(1043, true);
  EXPECT_EQ(1001, app.layout.signs[0].speed);
  EXPECT_EQ(5001, app.layout.signs[1].interval);
  EXPECT_EQ(1000, LOWORD(SendMessageA(item(1034), UDM_GETPOS, 0, 0)));
  EXPECT_EQ(5000, LOWORD(SendMessageA(item(1043), UDM_GETPOS, 0, 0)));
}

struct PositionCase {
  int sign;
  bool speed;
  std::int32_t position;
  std::string expected;
};

class PanelPositions : public PanelKeys, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(PanelPositions, SettersWritePlainDigitsWithinTheRange) {
  const PositionCase& c = GetParam();
  const PanelGroupIds& ids = kPanelGroups[c.sign];
  if (c.speed) {
    setSpeedPosition(c.sign, c.position);
    EXPECT_EQ(c.expected, speedEditText(c.sign));
    EXPECT_EQ(c.expected, text(ids.speedEdit));
  } else {
    setIntervalPosition(c.sign, c.position);
    EXPECT_EQ(c.expected, intervalEditText(c.sign));
    EXPECT_EQ(c.expected, text(ids.intervalEdit));
  }
  const LRESULT position = SendMessageA(item(c.speed ? ids.speedUpDown : ids.intervalUpDown), UDM_GETPOS, 0, 0);
  EXPECT_EQ(0, HIWORD(position));
  EXPECT_EQ(std::stoi(c.expected), LOWORD(position));
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PanelPositions,
    ::testing::Values(PositionCase{0, true, 250, "250"}, PositionCase{1, true, 999, "999"},
                      // Numbers of four digits stay plain digits, as the edits take them.
                      PositionCase{0, true, 1000, "1000"}, PositionCase{1, false, 4321, "4321"},
                      PositionCase{0, false, 5000, "5000"},
                      // Outside the range the up-down keeps its ends.
                      PositionCase{1, true, 6000, "1000"}, PositionCase{0, false, 6000, "5000"},
                      PositionCase{0, true, -1, "0"}, PositionCase{1, false, 0, "0"}));

TEST_F(PanelKeys, ArrowsAtFourDigitsKeepPlainDigits) {
  SetWindowTextA(item(1036), "999");
  clickArrow(1037, true);
  EXPECT_EQ(1000, app.layout.signs[0].interval);
  EXPECT_EQ("1000", text(1036));
  clickArrow(1037, true);
  EXPECT_EQ(1001, app.layout.signs[0].interval);
  EXPECT_EQ("1001", text(1036));
}

TEST_F(PanelKeys, ArrowOnANumberOutOfRangeLeavesTheLayoutAlone) {
  // Typed text the up-down cannot read as a number in its range: the arrow
  // writes nothing into the layout; the next start reads the edit anyway.
  app.layout.signs[1].speed = 123;
  SetWindowTextA(item(1040), "99999");
  clickArrow(1041, true);
  EXPECT_EQ(123, app.layout.signs[1].speed);
  SetWindowTextA(item(1040), "");
  clickArrow(1041, true);
  EXPECT_EQ(1, app.layout.signs[1].speed) << "an empty edit reads as 0";
}

TEST_F(PanelKeys, EditsTakeDigitsOnly) {
  HWND edit = item(1033);
  SetFocus(edit);
  SetWindowTextA(edit, "");
  for (char c : std::string("1a2,b-3")) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ("123", text(1033));
}

}  // namespace
}  // namespace rovenza
