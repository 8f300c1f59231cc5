// The panel keys that move a sign: "ON", "強", "送" and "戻", clicked as a
// user clicks them, with the roll running for real.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "panel/PanelIds.h"
#include "panel/win32/PanelWindow.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

constexpr int kFrameHeight = 57;  // the clip windows' client height at start

class PanelRoll : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    panel = app.panelWindow;
    ASSERT_TRUE(IsWindow(panel));
    ASSERT_TRUE(IsWindowEnabled(panel));
    for (int sign = 0; sign < 2; ++sign) {
      app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::RollFilm);
      app.layout.signs[sign].picturePath = test::sourcePath("demo/strip.bmp");
      showStripPicture(sign);
      ASSERT_EQ(kFrameHeight, clipOf(sign).height());
    }
  }
  void TearDown() override {
    // Never leave a roll behind for the session's end.
    for (int sign = 0; sign < 2; ++sign) stopRoll(sign);
  }

  HWND item(int id) const { return GetDlgItem(panel, id); }
  std::string text(int id) const { return test::windowText(item(id)); }
  const PanelGroupIds& ids(int sign) const { return kPanelGroups[sign]; }

  // Clicks a key as a user would: only an enabled key on an enabled panel.
  void click(int id) {
    HWND key = item(id);
    ASSERT_TRUE(key) << id;
    ASSERT_TRUE(IsWindowEnabled(panel) && IsWindowEnabled(key)) << "key " << id << " is disabled";
    SendMessageA(key, BM_CLICK, 0, 0);
  }
  void type(int sign, const std::string& digits) {
    for (char d : digits) click(ids(sign).digitFirst + (d - '0'));
  }
  void setSpeed(int sign, const char* speed, const char* interval = "0") {
    SetWindowTextA(item(ids(sign).speedEdit), speed);
    SetWindowTextA(item(ids(sign).intervalEdit), interval);
  }

  // The sign window's top inside its clip window.
  int signTop(int sign) const { return signWindowOf(sign).top(); }

  bool groupEnabled(int sign) const {
    const PanelGroupIds& g = ids(sign);
    for (int d = 0; d <= 9; ++d) {
      if (!IsWindowEnabled(item(g.digitFirst + d))) return false;
    }
    for (int id : {g.start, g.clear, g.forward, g.back, g.speedEdit, g.intervalEdit, g.speedUpDown,
                   g.intervalUpDown}) {
      if (!IsWindowEnabled(item(id))) return false;
    }
    return true;
  }
  bool groupDisabled(int sign) const {
    const PanelGroupIds& g = ids(sign);
    for (int d = 0; d <= 9; ++d) {
      if (IsWindowEnabled(item(g.digitFirst + d))) return false;
    }
    for (int id : {g.start, g.clear, g.forward, g.back, g.speedEdit, g.intervalEdit, g.speedUpDown,
                   g.intervalUpDown}) {
      if (IsWindowEnabled(item(id))) return false;
    }
    return true;
  }
  bool idle(int sign) { return !isRollRunning(sign) && groupEnabled(sign); }
  // Pumps until the sign's roll has ended and its group is usable again.
  ::testing::AssertionResult waitIdle(int sign, DWORD timeoutMs = 60000) {
    if (test::pumpUntil([&] { return idle(sign); }, timeoutMs)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "sign " << sign << " still rolling after " << timeoutMs << " ms";
  }

  ProgramSession session;
  HWND panel = nullptr;
};

TEST_F(PanelRoll, OnRollsToTheTypedFrame) {
  setSpeed(0, "0");
  type(0, "3");
  click(1019);
  EXPECT_TRUE(groupDisabled(0)) << "the group is greyed out while the sign rolls";
  EXPECT_TRUE(IsWindowEnabled(item(1018))) << "強 stays usable";
  EXPECT_TRUE(groupEnabled(1)) << "the other sign's group is not touched";
  ASSERT_TRUE(waitIdle(0));
  EXPECT_EQ(-3 * kFrameHeight, signTop(0));
  EXPECT_EQ(-171, app.signStates[0].stripOffset);
  EXPECT_EQ(3, app.signStates[0].currentFrame);
  EXPECT_EQ(3, app.signStates[0].targetFrame);
  EXPECT_EQ(1u, app.signStates[0].rollExitCode);
  EXPECT_EQ("3", text(1002)) << "the display keeps the number";
  EXPECT_EQ("3", app.signStates[0].entry);
  EXPECT_EQ(0, signTop(1));
}

TEST_F(PanelRoll, OnReadsSpeedAndIntervalFromTheEdits) {
  setSpeed(1, "0", "1000");  // four digits: read whole
  type(1, "0");
  click(1030);
  ASSERT_TRUE(waitIdle(1));
  EXPECT_EQ(0, app.layout.signs[1].speed);
  EXPECT_EQ(1000, app.layout.signs[1].interval);
  EXPECT_EQ(2u, app.signStates[1].rollExitCode);
}

TEST_F(PanelRoll, LeadingZerosGoToTheFrameTheyName) {
  setSpeed(0, "0");
  type(0, "002");
  EXPECT_EQ("002", text(1002));
  click(1019);
  ASSERT_TRUE(waitIdle(0));
  EXPECT_EQ(2, app.signStates[0].currentFrame);
  EXPECT_EQ(-2 * kFrameHeight, signTop(0));
}

TEST_F(PanelRoll, ResetDuringARollStopsItAtFrameZero) {
  setSpeed(0, "20");  // 171 steps of 20 ms: the roll is still on its way
  type(0, "3");
  click(1019);
  ASSERT_TRUE(test::pumpUntil([&] { return app.signStates[0].stripOffset <= -5; }, 20000));
  ASSERT_TRUE(isRollRunning(0));
  HANDLE thread = app.signStates[0].rollThread.get();
  click(1018);
  // Stopped at once: the thread has ended, the sign stands at frame 0.
  EXPECT_FALSE(isRollRunning(0));
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(1u, code);
  EXPECT_EQ(0, signTop(0));
  EXPECT_EQ(0, app.signStates[0].stripOffset);
  EXPECT_EQ(0, app.signStates[0].currentFrame);
  EXPECT_EQ(0, app.signStates[0].targetFrame);
  EXPECT_EQ("", text(1002)) << "the display is emptied";
  EXPECT_EQ("3", app.signStates[0].entry) << "the typed digits stay";
  EXPECT_TRUE(groupEnabled(0));
  // Whatever the stopped roll had sent is answered now: nothing moves.
  test::pumpPending();
  EXPECT_EQ(0, signTop(0));
  EXPECT_EQ(0, app.signStates[0].stripOffset);
  EXPECT_EQ(0, app.signStates[0].currentFrame);
  // The typed digits go on from where they were.
  type(0, "1");
  EXPECT_EQ("31", text(1002));
}

TEST_F(PanelRoll, ResetWhenIdleReturnsToFrameZero) {
  setSpeed(1, "0");
  type(1, "2");
  click(1030);
  ASSERT_TRUE(waitIdle(1));
  ASSERT_EQ(-2 * kFrameHeight, signTop(1));
  click(1031);
  EXPECT_EQ(0, signTop(1));
  EXPECT_EQ(0, app.signStates[1].currentFrame);
  EXPECT_EQ("", text(1003));
  EXPECT_EQ("2", app.signStates[1].entry);
  // "ON" on the empty display goes to frame 0: nothing moves.
  click(1030);
  ASSERT_TRUE(waitIdle(1));
  EXPECT_EQ(0, signTop(1));
}

TEST_F(PanelRoll, ForwardStepsAndRollsKeepingTheEntry) {
  setSpeed(0, "0");
  type(0, "12");
  click(1046);
  EXPECT_EQ("13", text(1002));
  ASSERT_TRUE(waitIdle(0));
  EXPECT_EQ(13, app.signStates[0].currentFrame);
  EXPECT_EQ(-13 * kFrameHeight, signTop(0));
  EXPECT_EQ("12", app.signStates[0].entry);
  type(0, "5");
  EXPECT_EQ("125", text(1002));
}

TEST_F(PanelRoll, BackStepsAndRollsBack) {
  setSpeed(1, "0");
  type(1, "3");
  click(1030);
  ASSERT_TRUE(waitIdle(1));
  click(1049);
  EXPECT_EQ("2", text(1003));
  ASSERT_TRUE(waitIdle(1));
  EXPECT_EQ(2, app.signStates[1].currentFrame);
  EXPECT_EQ(-2 * kFrameHeight, signTop(1));
}

TEST_F(PanelRoll, ForwardOnAnEmptyDisplayGoesToFrameOne) {
  setSpeed(0, "0");
  click(1044);
  EXPECT_EQ("", text(1002));
  click(1046);
  EXPECT_EQ("1", text(1002));
  ASSERT_TRUE(waitIdle(0));
  EXPECT_EQ(1, app.signStates[0].currentFrame);
}

TEST_F(PanelRoll, StepsAtTheLimitsStartNothing) {
  struct Limit {
    int sign;
    const char* display;
    int key;
  };
  for (const Limit& l : {Limit{0, "999", 1046}, Limit{1, "999", 1048}, Limit{0, "0", 1047}, Limit{1, "", 1049}}) {
    SetWindowTextA(item(ids(l.sign).numberDisplay), l.display);
    click(l.key);
    EXPECT_EQ(l.display, text(ids(l.sign).numberDisplay));
    EXPECT_FALSE(app.signStates[l.sign].rollThread.valid()) << "no roll started";
    EXPECT_TRUE(groupEnabled(l.sign));
  }
}

TEST_F(PanelRoll, ClearThenOnGoesToFrameZero) {
  setSpeed(0, "0");
  type(0, "2");
  click(1019);
  ASSERT_TRUE(waitIdle(0));
  click(1044);
  EXPECT_EQ("", text(1002));
  click(1019);
  ASSERT_TRUE(waitIdle(0));
  EXPECT_EQ(0, app.signStates[0].currentFrame);
  EXPECT_EQ(0, signTop(0));
}

TEST_F(PanelRoll, HiddenSecondSignIgnoresOn) {
  app.layout.signs[1].kind = static_cast<std::uint8_t>(SignKind::Hidden);
  setSpeed(1, "0");
  type(1, "3");
  click(1030);
  test::pumpPending();
  EXPECT_FALSE(app.signStates[1].rollThread.valid());
  EXPECT_FALSE(isRollRunning(1));
  EXPECT_TRUE(groupEnabled(1));
  EXPECT_EQ(0, signTop(1));
  EXPECT_EQ(0, app.signStates[1].currentFrame);
  EXPECT_EQ(0, app.signStates[1].targetFrame);
  EXPECT_EQ("3", text(1003));
  // "送" sets its number and then starts nothing either.
  click(1048);
  EXPECT_EQ("4", text(1003));
  EXPECT_FALSE(app.signStates[1].rollThread.valid());
}

TEST_F(PanelRoll, BothSignsRollAtOnceFromThePanel) {
  setSpeed(0, "1");
  setSpeed(1, "1");
  type(0, "2");
  type(1, "1");
  click(1019);
  click(1030);
  EXPECT_TRUE(isRollRunning(0));
  EXPECT_TRUE(isRollRunning(1));
  EXPECT_TRUE(groupDisabled(0));
  EXPECT_TRUE(groupDisabled(1));
  ASSERT_TRUE(test::pumpUntil([&] { return idle(0) && idle(1); }, 60000));
  EXPECT_EQ(-2 * kFrameHeight, signTop(0));
  EXPECT_EQ(-1 * kFrameHeight, signTop(1));
}

// A double click on "ON": the 1st sign's key reports its second click as a
// double click, which starts nothing; the 2nd sign's key reports two clicks.
void doubleClickSecondHalf(HWND button) {
  const LPARAM at = MAKELPARAM(5, 5);
  SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(button, WM_LBUTTONUP, 0, at);
}

void singleClick(HWND button) {
  const LPARAM at = MAKELPARAM(5, 5);
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(button, WM_LBUTTONUP, 0, at);
}

TEST_F(PanelRoll, FirstSignStartsOnceOnADoubleClick) {
  setSpeed(0, "0");
  type(0, "1");
  singleClick(item(1019));
  ASSERT_TRUE(isRollRunning(0) || app.signStates[0].rollThread);
  ASSERT_TRUE(waitIdle(0));
  HANDLE first = app.signStates[0].rollThread.get();
  app.layout.signs[0].speed = 4321;  // a start would read the edit ("0") back into it
  doubleClickSecondHalf(item(1019));
  test::pumpPending();
  EXPECT_EQ(first, app.signStates[0].rollThread.get()) << "no second start";
  EXPECT_EQ(4321, app.layout.signs[0].speed);
}

TEST_F(PanelRoll, SecondSignCountsBothClicksOfADoubleClick) {
  setSpeed(1, "0");
  type(1, "1");
  singleClick(item(1030));
  ASSERT_TRUE(waitIdle(1));
  app.layout.signs[1].speed = 4321;  // a start reads the edit ("0") back into it
  doubleClickSecondHalf(item(1030));
  test::pumpPending();
  EXPECT_EQ(0, app.layout.signs[1].speed) << "the second click starts again";
  ASSERT_TRUE(waitIdle(1));
}

}  // namespace
}  // namespace rovenza
