// The keyboard on the panel: every key sent as a real WM_KEYDOWN through the
// message queue does what a click on its panel key does, for both signs, from
// the main window, the panel and a focused key; the fields keep their own
// keys; F2 and F3 move the frame that marks the selected sign.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "panel/win32/PanelKeyboard.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

constexpr int kFrameHeight = 57;

enum class Target { Main, Panel, FocusedKey };

class PanelKeyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    panel = app.panelWindow;
    ASSERT_TRUE(IsWindow(panel));
  }
  void TearDown() override {
    for (int sign = 0; sign < 2; ++sign) stopRoll(sign);
  }
  HWND item(int id) const { return GetDlgItem(panel, id); }
  std::string display(int sign) const { return test::windowText(item(kPanelGroups[sign].numberDisplay)); }

  // A key as the keyboard sends it: posted to the window with the focus and
  // taken through the message loop, which also makes its character.
  void key(HWND window, WPARAM code, UINT message = WM_KEYDOWN, LPARAM flags = 1) {
    PostMessageA(window, message, code, flags);
    test::pumpPending();
  }
  HWND target(Target where, int sign) const {
    switch (where) {
      case Target::Main:
        return session.main();
      case Target::Panel:
        return panel;
      case Target::FocusedKey:
        return item(kPanelGroups[sign].reset);
    }
    return nullptr;
  }
  void select(HWND window, int sign) { key(window, sign == 0 ? VK_F2 : VK_F3); }

  void click(int id) {
    HWND button = item(id);
    ASSERT_TRUE(IsWindowEnabled(panel) && IsWindowEnabled(button)) << "key " << id << " is disabled";
    SendMessageA(button, BM_CLICK, 0, 0);
    test::pumpPending();
  }
  void useStrips() {
    for (int sign = 0; sign < 2; ++sign) {
      app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::RollFilm);
      app.layout.signs[sign].picturePath = test::sourcePath("demo/strip.bmp");
      showStripPicture(sign);
    }
  }
  bool waitIdle(int sign) {
    return test::pumpWhileRolling([&] { return !isRollRunning(sign) && IsWindowEnabled(item(kPanelGroups[sign].start)); });
  }

  ProgramSession session;
  HWND panel = nullptr;
};

// The keys that type into the number display, each with the key it presses.
struct TypingKey {
  WPARAM code;
  int offset;  // the panel key: digitFirst + offset, or -1 for "C"
};
const TypingKey kTypingKeys[] = {
    {'1', 1}, {'2', 2}, {VK_NUMPAD3, 3}, {VK_NUMPAD4, 4}, {'5', 5}, {VK_BACK, -1}, {'6', 6}, {VK_NUMPAD7, 7},
    {VK_DELETE, -1}, {'8', 8}, {VK_NUMPAD9, 9}, {'0', 0}, {VK_NUMPAD0, 0}, {'9', 9}, {VK_NUMPAD1, 1},
    {VK_NUMPAD2, 2}, {'3', 3}, {'4', 4}, {VK_NUMPAD5, 5}, {VK_NUMPAD6, 6}, {'7', 7}, {VK_NUMPAD8, 8},
};

class TypingKeys : public PanelKeyboard, public ::testing::WithParamInterface<std::tuple<int, Target>> {};

TEST_P(TypingKeys, EveryDigitAndClearKeyTypesAsItsKeyClicks) {
  const int sign = std::get<0>(GetParam());
  const PanelGroupIds& ids = kPanelGroups[sign];
  HWND window = target(std::get<1>(GetParam()), sign);
  select(window, sign);
  ASSERT_EQ(sign, keyboardSign());

  std::vector<std::string> byKeys;
  clearEntry(sign);
  for (const TypingKey& k : kTypingKeys) {
    key(window, k.code);
    byKeys.push_back(display(sign));
  }
  std::vector<std::string> byClicks;
  clearEntry(sign);
  for (const TypingKey& k : kTypingKeys) {
    click(k.offset < 0 ? ids.clear : ids.digitFirst + k.offset);
    byClicks.push_back(display(sign));
  }
  EXPECT_EQ(byClicks, byKeys);
  EXPECT_EQ("0", display(1 - sign)) << "the other sign is not touched";
  EXPECT_EQ("", app.signStates[1 - sign].entry);
}

INSTANTIATE_TEST_SUITE_P(SignsAndWindows, TypingKeys,
                         ::testing::Combine(::testing::Values(0, 1),
                                            ::testing::Values(Target::Main, Target::Panel, Target::FocusedKey)));

class MovingKeys : public PanelKeyboard, public ::testing::WithParamInterface<int> {};

TEST_P(MovingKeys, EnterPageDownPageUpAndEscapeRollAsOnForwardBackAndReset) {
  const int sign = GetParam();
  const PanelGroupIds& ids = kPanelGroups[sign];
  useStrips();
  test::setPanelText(ids.speedEdit, "0");
  test::setPanelText(ids.intervalEdit, "0");
  HWND window = session.main();
  select(window, sign);

  key(window, '2');
  key(window, VK_RETURN);  // "ON"
  ASSERT_TRUE(waitIdle(sign));
  EXPECT_EQ(2, app.signStates[sign].currentFrame);
  EXPECT_EQ(-2 * kFrameHeight, app.signStates[sign].stripOffset);

  key(window, VK_NEXT);  // "送"
  EXPECT_EQ("3", display(sign));
  ASSERT_TRUE(waitIdle(sign));
  EXPECT_EQ(3, app.signStates[sign].currentFrame);

  key(panel, VK_PRIOR);  // "戻"
  EXPECT_EQ("2", display(sign));
  ASSERT_TRUE(waitIdle(sign));
  EXPECT_EQ(2, app.signStates[sign].currentFrame);

  key(panel, VK_ESCAPE);  // "強"
  EXPECT_EQ("", display(sign));
  EXPECT_EQ(0, app.signStates[sign].currentFrame);
  EXPECT_EQ(0, app.signStates[sign].stripOffset);
  EXPECT_EQ(0, app.signStates[1 - sign].currentFrame) << "the other sign stays";
}

INSTANTIATE_TEST_SUITE_P(Signs, MovingKeys, ::testing::Values(0, 1));

TEST_F(PanelKeyboard, KeysOfADisabledKeyDoNothingButEscapeStillStops) {
  useStrips();
  test::setPanelText(kPanelGroups[0].speedEdit, "20");
  test::setPanelText(kPanelGroups[0].intervalEdit, "500");
  key(session.main(), '9');
  key(session.main(), VK_RETURN);
  ASSERT_TRUE(isRollRunning(0));
  ASSERT_FALSE(IsWindowEnabled(item(kPanelStart1)));
  for (WPARAM code : {WPARAM{'4'}, WPARAM{VK_NUMPAD4}, WPARAM{VK_BACK}, WPARAM{VK_NEXT}, WPARAM{VK_PRIOR}}) {
    key(session.main(), code);
    EXPECT_EQ("9", display(0)) << code;
  }
  // "ON" again does nothing: no second roll starts, the first goes on.
  key(session.main(), VK_RETURN);
  EXPECT_TRUE(isRollRunning(0));
  // The focused "ON" went disabled: its keys come to the panel as system keys.
  key(panel, VK_ESCAPE, WM_SYSKEYDOWN);
  EXPECT_FALSE(isRollRunning(0));
  EXPECT_EQ("", display(0));
  EXPECT_EQ(0, app.signStates[0].stripOffset);
}

TEST_F(PanelKeyboard, AltKeysStayTheSystems) {
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  key(panel, '5', WM_SYSKEYDOWN, 1 | kAltDown);
  EXPECT_EQ("0", display(0));
  key(panel, '5', WM_SYSKEYDOWN);
  EXPECT_EQ("5", display(0));
}

TEST_F(PanelKeyboard, TheFieldsKeepTheirOwnKeys) {
  HWND speed = item(kPanelSpeedEdit1);
  HWND interval = item(kPanelIntervalEdit2);
  key(session.main(), '4');
  key(speed, '7');
  key(interval, '8');
  EXPECT_NE(std::string::npos, test::windowText(speed).find('7')) << test::windowText(speed);
  EXPECT_NE(std::string::npos, test::windowText(interval).find('8')) << test::windowText(interval);
  EXPECT_EQ("4", display(0)) << "digits typed into a field stay there";
  EXPECT_EQ("0", display(1));
  key(speed, VK_BACK);
  key(speed, VK_DELETE);
  EXPECT_EQ("4", display(0)) << "and so do Backspace and Delete";
  // Keys a field has no use for drive the panel from there too.
  key(speed, VK_NEXT);
  EXPECT_EQ("5", display(0));
}

// The frame drawn around the selected sign's group, as the panel prints it.
class SignFrame : public PanelKeyboard {
 protected:
  COLORREF printedAt(POINT at) {
    const RECT client = test::clientRect(panel);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, client.right, client.bottom, WHITENESS);
    SendMessageA(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const COLORREF colour = GetPixel(memory, at.x, at.y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
  }
  // A point on the frame's left edge beside the sign's group box.
  POINT frameEdge(int sign) {
    RECT group = test::windowRect(item(kPanelGroups[sign].groupBox));
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&group), 2);
    return POINT{group.left - 1, (group.top + group.bottom) / 2};
  }
};

TEST_F(SignFrame, F2AndF3MoveTheFrameAndF3NeedsASecondSign) {
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF none = RGB(255, 255, 255);
  EXPECT_EQ(0, keyboardSign()) << "the 1st sign at start";
  EXPECT_EQ(highlight, printedAt(frameEdge(0)));
  EXPECT_EQ(none, printedAt(frameEdge(1)));
  key(session.main(), VK_F3);
  EXPECT_EQ(1, keyboardSign());
  EXPECT_EQ(none, printedAt(frameEdge(0)));
  EXPECT_EQ(highlight, printedAt(frameEdge(1)));
  key(panel, VK_F2);
  EXPECT_EQ(0, keyboardSign());
  EXPECT_EQ(highlight, printedAt(frameEdge(0)));

  app.layout.signs[1].kind = static_cast<std::uint8_t>(SignKind::Hidden);
  key(session.main(), VK_F3);
  EXPECT_EQ(0, keyboardSign()) << "a hidden 2nd sign cannot be selected";
  key(session.main(), '6');
  EXPECT_EQ("6", display(0));
  EXPECT_EQ("0", display(1));
}

}  // namespace
}  // namespace rovenza
