// The setting box without a vehicle: opened from the Settings menu, it sets
// both of the board's signs with one code, through the panel's own "ON".
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "panel/PanelIds.h"
#include "panel/win32/PanelWindow.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"
#include "vehicle/win32/SettingBox.h"

namespace rovenza {
namespace {

constexpr int kFrameHeight = 57;  // the clip windows' client height at start

class SettingBox : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    for (int sign = 0; sign < kSignCount; ++sign) {
      app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::RollFilm);
      app.layout.signs[sign].picturePath = test::sourcePath("demo/strip.bmp");
      showStripPicture(sign);
      SetWindowTextA(GetDlgItem(app.panelWindow, kPanelGroups[sign].speedEdit), "0");
    }
    SendMessageA(session.main(), WM_COMMAND, kCmdSettingBox, 0);
    box = test::findTopLevel(kSettingBoxTitle, 5000);
    ASSERT_TRUE(box);
  }
  void TearDown() override {
    for (int sign = 0; sign < kSignCount; ++sign) stopRoll(sign);
  }

  HWND item(int id) const { return GetDlgItem(box, id); }
  void click(int id) {
    ASSERT_TRUE(IsWindowEnabled(box) && IsWindowEnabled(item(id))) << "key " << id << " is disabled";
    SendMessageA(item(id), BM_CLICK, 0, 0);
  }
  bool bothIdle() {
    return !isRollRunning(0) && !isRollRunning(1) && IsWindowEnabled(item(kBoxApply));
  }

  test::ProgramSession session;
  HWND box = nullptr;
};

TEST_F(SettingBox, IsOwnedByTheMainWindowAndOpensOnce) {
  EXPECT_EQ(session.main(), GetWindow(box, GW_OWNER));
  EXPECT_EQ(box, app.settingBoxWindow);
  EXPECT_TRUE(IsWindowVisible(box));
  SendMessageA(session.main(), WM_COMMAND, kCmdSettingBox, 0);
  EXPECT_EQ(box, app.settingBoxWindow);
  EXPECT_FALSE(IsWindowEnabled(item(kBoxForward))) << "the board's signs have no pages";
  EXPECT_FALSE(IsWindowEnabled(item(kBoxBack)));
  SendMessageA(box, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(nullptr, app.settingBoxWindow);
}

TEST_F(SettingBox, OneCodeRollsBothSignsAndGreysSettingWhileTheyRoll) {
  click(kBoxDigitFirst + 3);
  EXPECT_EQ("3", test::windowText(item(kBoxDisplay)));
  click(kBoxApply);
  EXPECT_FALSE(IsWindowEnabled(item(kBoxApply))) << "設定 is greyed while a sign rolls";
  ASSERT_TRUE(test::pumpUntil([&] { return bothIdle(); }, 60000));
  for (int sign = 0; sign < kSignCount; ++sign) {
    EXPECT_EQ(3, app.signStates[sign].currentFrame) << sign;
    EXPECT_EQ(-3 * kFrameHeight, signWindowOf(sign).top()) << sign;
    EXPECT_EQ("3", numberDisplayText(sign)) << "the panel shows the frame as ON would";
  }
}

TEST_F(SettingBox, KeysPressItsKeysAndItFollowsThePanelsEnableState) {
  SetFocus(item(kBoxClear));
  SendMessageA(item(kBoxClear), WM_KEYDOWN, '1', 0);
  SendMessageA(item(kBoxClear), WM_KEYDOWN, VK_NUMPAD2, 0);
  EXPECT_EQ("12", test::windowText(item(kBoxDisplay)));
  SendMessageA(item(kBoxClear), WM_KEYDOWN, VK_BACK, 0);
  EXPECT_EQ("", test::windowText(item(kBoxDisplay)));
  SendMessageA(item(kBoxClear), WM_KEYDOWN, '2', 0);
  SendMessageA(item(kBoxClear), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(test::pumpUntil([&] { return bothIdle(); }, 60000));
  EXPECT_EQ(2, app.signStates[0].currentFrame);
  EXPECT_EQ(2, app.signStates[1].currentFrame);

  EnableWindow(app.panelWindow, FALSE);
  EXPECT_FALSE(IsWindowEnabled(box)) << "disabled with the panel";
  EnableWindow(app.panelWindow, TRUE);
  EXPECT_TRUE(IsWindowEnabled(box));
}

}  // namespace
}  // namespace rovenza
