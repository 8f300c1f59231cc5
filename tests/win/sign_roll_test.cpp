// The roll of a roll-film sign: its steps, its end, stopping it, both signs
// at once, and the panel group it greys out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/Layout.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign/win32/RollJob.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;
using test::pumpUntil;
using test::pumpWhileRolling;
using test::TempFolder;

class Roll : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
  }

  void setSpeeds(int sign, const std::string& speed, const std::string& interval) {
    test::setPanelText(kPanelGroups[sign].speedEdit, speed);
    test::setPanelText(kPanelGroups[sign].intervalEdit, interval);
  }

  void start(int sign, const std::string& frame) {
    test::setPanelText(kPanelGroups[sign].numberDisplay, frame);
    rollSign(sign);
  }

  bool waitForEnd(int sign, DWORD timeoutMs = 20000) {
    return pumpWhileRolling([&] { return !isRollRunning(sign); }, timeoutMs) && (test::pumpPending(), true);
  }

  void rollTo(int sign, const std::string& frame) {
    start(sign, frame);
    ASSERT_TRUE(waitForEnd(sign));
  }

  bool groupEnabled(int sign, bool enabled) {
    for (int id : test::panelGroup(sign)) {
      if ((IsWindowEnabled(GetDlgItem(app.panelWindow, id)) != FALSE) != enabled) return false;
    }
    return true;
  }

  DWORD exitCode(int sign) {
    DWORD code = 0;
    GetExitCodeThread(app.signStates[sign].rollThread.get(), &code);
    return code;
  }

  void showDemoStrip(int sign) {
    app.layout.signs[sign].picturePath = test::sourcePath("demo/strip.bmp");
    showStripPicture(sign);
    ASSERT_NE(nullptr, app.signStates[sign].picture.get());
  }

  // Waits without taking a single message until the strip offset the sign's
  // roll has drawn last satisfies `drawn`.
  template <typename Condition>
  bool drawnWithoutMessages(int sign, Condition drawn, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!drawn(app.signStates[sign].roll->drawnOffset.load())) {
      if (GetTickCount64() >= deadline) return false;
      WaitForSingleObject(app.signStates[sign].rollThread.get(), 1);
    }
    return true;
  }

  // Every 4th pixel of the opening, row by row.
  std::vector<COLORREF> openingPixels(int sign) {
    std::vector<COLORREF> pixels;
    HWND clip = clipOf(sign).handle();
    HDC dc = GetDC(clip);
    for (int y = 0; y < clipOf(sign).height(); y += 4) {
      for (int x = 0; x < clipOf(sign).width(); x += 4) pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(clip, dc);
    return pixels;
  }

  // The same pixels as the sign's picture gives them with its top at y.
  std::vector<COLORREF> stripPixelsAt(int sign, int y) {
    std::vector<COLORREF> pixels;
    const SIZE size = test::bitmapSize(app.signStates[sign].picture.get());
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, app.signStates[sign].picture.get());
    for (int row = 0; row < clipOf(sign).height(); row += 4) {
      for (int x = 0; x < clipOf(sign).width(); x += 4) {
        const bool onStrip = x < size.cx && row - y >= 0 && row - y < size.cy;
        pixels.push_back(onStrip ? GetPixel(memory, x, row - y) : RGB(255, 255, 255));
      }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    return pixels;
  }

  void repaintOpening(int sign) {
    RedrawWindow(clipOf(sign).handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  ProgramSession session;
};

TEST_F(Roll, ToFrameThreeMovesTheSignUpThreeFrames) {
  ASSERT_EQ(57, app.clips[0].height());
  setSpeeds(0, "0", "0");
  start(0, "3");
  EXPECT_TRUE(isRollRunning(0));
  EXPECT_EQ(STILL_ACTIVE, app.signStates[0].rollExitCode);
  EXPECT_TRUE(groupEnabled(0, false));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(app.panelWindow, kPanelGroups[0].reset))) << "強 stays usable";
  EXPECT_TRUE(groupEnabled(1, true)) << "the other sign's group is untouched";
  ASSERT_TRUE(waitForEnd(0));
  EXPECT_EQ(-171, test::signTop(0));
  EXPECT_EQ(-171, app.signStates[0].stripOffset);
  EXPECT_EQ(3, app.signStates[0].currentFrame);
  EXPECT_EQ(3, app.signStates[0].targetFrame);
  EXPECT_TRUE(groupEnabled(0, true));
  EXPECT_EQ(1u, exitCode(0));
  EXPECT_EQ(1u, app.signStates[0].rollExitCode);
  EXPECT_EQ("3", test::panelText(kPanelGroups[0].numberDisplay)) << "the display is left as it was";
}

struct LegCase {
  const char* frame;
  int offset;  // strip offset after the roll
  int current;
};

TEST_F(Roll, ThereAndBackAgain) {
  setSpeeds(1, "0", "0");
  const LegCase legs[] = {{"3", -171, 3}, {"1", -57, 1}, {"1", -57, 1}, {"007", -399, 7}, {"", 0, 0}, {"0", 0, 0}};
  for (const LegCase& leg : legs) {
    rollTo(1, leg.frame);
    EXPECT_EQ(leg.offset, test::signTop(1)) << "to [" << leg.frame << "]";
    EXPECT_EQ(leg.offset, app.signStates[1].stripOffset);
    EXPECT_EQ(leg.current, app.signStates[1].currentFrame);
    EXPECT_TRUE(groupEnabled(1, true));
    EXPECT_EQ(2u, exitCode(1));
  }
}

TEST_F(Roll, TheStripShowsTheTargetFrameInTheOpening) {
  app.layout.signs[0].picturePath = test::sourcePath("demo/strip.bmp");
  showStripPicture(0);
  ASSERT_NE(nullptr, app.signStates[0].picture.get());
  setSpeeds(0, "0", "0");
  rollTo(0, "3");
  UpdateWindow(app.mainWindow);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, app.signStates[0].picture.get());
  HDC clip = GetDC(app.clips[0].handle());
  for (POINT p : {POINT{5, 5}, POINT{60, 28}, POINT{100, 50}}) {
    EXPECT_EQ(GetPixel(memory, p.x, p.y + 171), GetPixel(clip, p.x, p.y)) << p.x << "," << p.y;
  }
  ReleaseDC(app.clips[0].handle(), clip);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// The opening as the steps draw it is what the windows paint themselves: the
// strip where it covers the clip window, white where it does not (a clip
// wider than the strip, a roll past the strip's end).
TEST_F(Roll, TheDrawnOpeningMatchesAFullRepaint) {
  app.layout.signs[0].picturePath = test::sourcePath("demo/strip.bmp");
  showStripPicture(0);
  ASSERT_NE(nullptr, app.signStates[0].picture.get());
  // A clip window wider than the strip; its corners square again.
  app.clips[0].setWidth(140);
  SetWindowRgn(app.clips[0].handle(), nullptr, TRUE);
  setSpeeds(0, "0", "0");
  auto grab = [] {
    std::vector<COLORREF> pixels;
    HDC clip = GetDC(app.clips[0].handle());
    for (int y = 0; y < app.clips[0].height(); y += 4) {
      for (int x = 0; x < app.clips[0].width(); x += 4) pixels.push_back(GetPixel(clip, x, y));
    }
    ReleaseDC(app.clips[0].handle(), clip);
    return pixels;
  };
  struct Leg {
    const char* frame;
    int whiteFromColumn;  // columns from here on show the clip window
  };
  for (Leg leg : {Leg{"2", 124}, Leg{"12", 0}, Leg{"5", 124}}) {
    rollTo(0, leg.frame);
    const std::vector<COLORREF> drawn = grab();
    RedrawWindow(app.clips[0].handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(grab(), drawn) << "frame " << leg.frame;
    HDC clip = GetDC(app.clips[0].handle());
    for (int x : {leg.whiteFromColumn, 130, 139}) {
      EXPECT_EQ(RGB(255, 255, 255), GetPixel(clip, x, 40)) << "frame " << leg.frame << ", column " << x;
    }
    ReleaseDC(app.clips[0].handle(), clip);
  }
}

// Fast steps move the sign window only now and then; when the roll then
// pauses, the window catches up with the drawn strip on its own.
TEST_F(Roll, TheSignWindowCatchesUpDuringAPause) {
  setSpeeds(0, "0", "5000");
  start(0, "2");
  ASSERT_TRUE(pumpWhileRolling([] { return app.signStates[0].stripOffset == -57; }));
  EXPECT_TRUE(pumpUntil([] { return test::signTop(0) == -57; }, 2000));
  EXPECT_TRUE(isRollRunning(0)) << "still in the pause after the first frame";
  stopRoll(0);
  EXPECT_EQ(-57, test::signTop(0));
}

// A roll draws its steps itself: the opening moves on while this thread
// takes no message, and a paint meanwhile shows what the roll drew, not where
// the sign window still stands.
TEST_F(Roll, AtSpeedZeroTheStepsNeedNoMessageAndAPaintShowsThem) {
  showDemoStrip(0);
  ASSERT_NE(stripPixelsAt(0, 0), stripPixelsAt(0, -57));
  setSpeeds(0, "0", "5000");
  start(0, "2");
  ASSERT_TRUE(drawnWithoutMessages(0, [](int y) { return y == -57; })) << "the first frame, then the pause";
  ASSERT_EQ(0, test::signTop(0)) << "the sign window has not followed yet";
  EXPECT_EQ(stripPixelsAt(0, -57), openingPixels(0));
  repaintOpening(0);
  EXPECT_EQ(stripPixelsAt(0, -57), openingPixels(0)) << "a paint while the window lags behind";
  stopRoll(0);
  EXPECT_EQ(-57, app.signStates[0].stripOffset);
  EXPECT_EQ(-57, test::signTop(0));
  repaintOpening(0);
  EXPECT_EQ(stripPixelsAt(0, -57), openingPixels(0));
}

TEST_F(Roll, AStopRacingTheDrawingLeavesTheOpeningAsItWasDrawnLast) {
  showDemoStrip(0);
  setSpeeds(0, "0", "0");
  for (int round = 0; round < 8; ++round) {
    start(0, "11");
    const int past = -(round * 37 + 5);
    ASSERT_TRUE(drawnWithoutMessages(0, [past](int y) { return y <= past; })) << "round " << round;
    stopRoll(0);
    const int y = app.signStates[0].stripOffset;
    EXPECT_LE(y, past) << "round " << round;
    EXPECT_EQ(y, test::signTop(0)) << "round " << round;
    const std::vector<COLORREF> stopped = openingPixels(0);
    EXPECT_EQ(stripPixelsAt(0, y), stopped) << "round " << round;
    EXPECT_FALSE(pumpUntil([&] { return openingPixels(0) != stopped; }, 200)) << "round " << round;
    repaintOpening(0);
    EXPECT_EQ(stopped, openingPixels(0)) << "round " << round;
    resetSign(0);
  }
}

// The sign window lets go of the picture a roll draws from before it is
// deleted: the roll draws the new one, or none at all.
TEST_F(Roll, APictureReplacedDuringARollIsTheOneItDraws) {
  TempFolder folder;
  const std::string blue = folder.file("blue.bmp");
  test::writeBmp(blue, 124, 2000, RGB(0, 0, 255));
  showDemoStrip(0);
  setSpeeds(0, "1", "0");
  start(0, "30");
  ASSERT_TRUE(pumpWhileRolling([] { return app.signStates[0].stripOffset <= -100; }));
  ASSERT_NE(std::vector<COLORREF>(openingPixels(0).size(), RGB(0, 0, 255)), openingPixels(0));
  app.layout.signs[0].picturePath = blue;
  showStripPicture(0);
  const int replacedAt = app.signStates[0].roll->drawnOffset;
  ASSERT_TRUE(pumpWhileRolling([replacedAt] { return app.signStates[0].roll->drawnOffset <= replacedAt - 300; }));
  EXPECT_EQ(std::vector<COLORREF>(openingPixels(0).size(), RGB(0, 0, 255)), openingPixels(0));
  // No picture: the sign window carries the steps out.
  SendMessageA(app.signWindows[0].handle(), STM_SETIMAGE, IMAGE_BITMAP, 0);
  app.signStates[0].picture.reset();
  ASSERT_TRUE(waitForEnd(0));
  EXPECT_EQ(-30 * 57, app.signStates[0].stripOffset);
  EXPECT_EQ(-30 * 57, test::signTop(0));
  EXPECT_EQ(30, app.signStates[0].currentFrame);
}

TEST_F(Roll, EqualFramesEnableTheGroupAgainAtOnce) {
  setSpeeds(0, "1000", "5000");
  app.signStates[0].currentFrame = 4;
  app.signStates[0].stripOffset = -228;
  start(0, "4");
  ASSERT_TRUE(waitForEnd(0, 3000)) << "no pause without a step";
  EXPECT_EQ(-228, app.signStates[0].stripOffset);
  EXPECT_EQ(4, app.signStates[0].currentFrame);
  EXPECT_TRUE(groupEnabled(0, true));
}

TEST_F(Roll, ZeroFrameHeightMakesNoStepButReachesTheTarget) {
  app.clips[1].setHeight(0);
  ASSERT_EQ(0, app.clips[1].height());
  setSpeeds(1, "1000", "5000");
  start(1, "5");
  ASSERT_TRUE(waitForEnd(1, 3000));
  EXPECT_EQ(0, app.signStates[1].stripOffset);
  EXPECT_EQ(0, test::signTop(1));
  EXPECT_EQ(5, app.signStates[1].currentFrame);
  EXPECT_TRUE(groupEnabled(1, true));
}

TEST_F(Roll, ResetDuringARollStopsItAtOnceAtFrameZero) {
  setSpeeds(0, "5", "0");
  start(0, "10");
  app.signStates[0].entry = "10";
  ASSERT_TRUE(pumpWhileRolling([] { return app.signStates[0].stripOffset <= -10; }));
  resetSign(0);
  EXPECT_FALSE(isRollRunning(0));
  EXPECT_EQ(1u, exitCode(0));
  EXPECT_EQ(1u, app.signStates[0].rollExitCode);
  EXPECT_EQ(0, test::signTop(0));
  EXPECT_EQ(0, app.signStates[0].stripOffset);
  EXPECT_EQ(0, app.signStates[0].currentFrame);
  EXPECT_EQ(0, app.signStates[0].targetFrame);
  EXPECT_EQ("", test::panelText(kPanelGroups[0].numberDisplay));
  EXPECT_EQ("10", app.signStates[0].entry) << "the typed digits stay";
  EXPECT_TRUE(groupEnabled(0, true));
  // Nothing of the stopped roll moves the sign afterwards.
  EXPECT_FALSE(pumpUntil([] { return test::signTop(0) != 0 || app.signStates[0].stripOffset != 0; }, 300));
}

TEST_F(Roll, AStoppedRollNeverEnablesTheGroupAgain) {
  setSpeeds(1, "0", "0");
  start(1, "999");
  ASSERT_TRUE(pumpWhileRolling([] { return app.signStates[1].stripOffset <= -20; }));
  stopRoll(1);
  EXPECT_EQ(2u, exitCode(1));
  EXPECT_FALSE(isRollRunning(1));
  const int stoppedAt = app.signStates[1].stripOffset;
  EXPECT_EQ(stoppedAt, test::signTop(1));
  EXPECT_TRUE(groupEnabled(1, false));
  EXPECT_FALSE(pumpUntil([&] { return !groupEnabled(1, false) || app.signStates[1].stripOffset != stoppedAt; }, 300));
  EXPECT_NE(999, app.signStates[1].currentFrame);
}

TEST_F(Roll, StoppingARollThatDrawsAsFastAsItCanNeverDeadlocks) {
  // With speed 0 the roll thread is almost always waiting for this thread to
  // carry out a step when the stop comes.
  for (int round = 0; round < 25; ++round) {
    const int sign = round % 2;
    setSpeeds(sign, "0", "0");
    start(sign, "999");
    ASSERT_TRUE(pumpWhileRolling([&] { return app.signStates[sign].stripOffset <= -(round % 7 + 1); })) << round;
    resetSign(sign);
    ASSERT_EQ(static_cast<DWORD>(sign + 1), exitCode(sign)) << "round " << round;
    ASSERT_EQ(0, test::signTop(sign));
    ASSERT_TRUE(groupEnabled(sign, true));
  }
}

TEST_F(Roll, ResetRightAfterTheStartStops) {
  for (int sign = 0; sign < 2; ++sign) {
    setSpeeds(sign, "1000", "5000");
    start(sign, "3");
    resetSign(sign);
    EXPECT_EQ(static_cast<DWORD>(sign + 1), exitCode(sign));
    EXPECT_EQ(0, test::signTop(sign));
    EXPECT_TRUE(groupEnabled(sign, true));
  }
}

TEST_F(Roll, BothSignsRollAtOnce) {
  // Slow enough that the two rolls overlap for over a second even when the
  // machine is busy and the second thread starts late.
  setSpeeds(0, "10", "0");
  setSpeeds(1, "10", "0");
  start(0, "2");
  start(1, "3");
  EXPECT_TRUE(isRollRunning(0));
  EXPECT_TRUE(isRollRunning(1));
  ASSERT_TRUE(pumpWhileRolling([] {
    return app.signStates[0].stripOffset < -5 && app.signStates[1].stripOffset < -5 && isRollRunning(0) &&
           isRollRunning(1);
  })) << "both strips move while both rolls run";
  ASSERT_TRUE(waitForEnd(0));
  ASSERT_TRUE(waitForEnd(1));
  EXPECT_EQ(-114, test::signTop(0));
  EXPECT_EQ(-171, test::signTop(1));
  EXPECT_EQ(2, app.signStates[0].currentFrame);
  EXPECT_EQ(3, app.signStates[1].currentFrame);
  EXPECT_EQ(1u, exitCode(0));
  EXPECT_EQ(2u, exitCode(1));
  EXPECT_TRUE(groupEnabled(0, true));
  EXPECT_TRUE(groupEnabled(1, true));
}

TEST_F(Roll, PostedMessagesGetTheirTurnWhileBothSignsRollAtSpeedZero) {
  setSpeeds(0, "0", "0");
  setSpeeds(1, "0", "0");
  start(0, "999");
  start(1, "999");
  // Each round of the pump waits for its own posted message, as the message
  // loop waits for the user's clicks.
  int rounds = 0;
  EXPECT_TRUE(pumpWhileRolling([&] { return ++rounds > 20; }, 20000));
  EXPECT_TRUE(isRollRunning(0));
  EXPECT_TRUE(isRollRunning(1));
  EXPECT_LT(app.signStates[0].stripOffset, 0);
  EXPECT_LT(app.signStates[1].stripOffset, 0);
  resetSign(0);
  resetSign(1);
  EXPECT_EQ(0, test::signTop(0));
  EXPECT_EQ(0, test::signTop(1));
  EXPECT_TRUE(groupEnabled(0, true));
  EXPECT_TRUE(groupEnabled(1, true));
}

TEST_F(Roll, ResettingOneSignLeavesTheOtherRolling) {
  setSpeeds(0, "1", "0");
  setSpeeds(1, "1", "0");
  start(0, "20");
  start(1, "2");
  ASSERT_TRUE(pumpWhileRolling([] { return app.signStates[0].stripOffset <= -5; }));
  resetSign(0);
  EXPECT_TRUE(isRollRunning(1) || app.signStates[1].currentFrame == 2);
  ASSERT_TRUE(waitForEnd(1));
  EXPECT_EQ(-114, test::signTop(1));
  EXPECT_EQ(0, test::signTop(0));
}

TEST_F(Roll, ASecondStartIsRefusedWhileTheRollRuns) {
  setSpeeds(0, "5", "0");
  start(0, "2");
  HANDLE first = app.signStates[0].rollThread.get();
  start(0, "5");
  EXPECT_EQ(first, app.signStates[0].rollThread.get());
  EXPECT_EQ(2, app.signStates[0].targetFrame);
  ASSERT_TRUE(waitForEnd(0));
  EXPECT_EQ(2, app.signStates[0].currentFrame);
}

TEST_F(Roll, AHiddenSecondSignIgnoresTheStart) {
  app.layout.signs[1].kind = static_cast<std::uint8_t>(SignKind::Hidden);
  setSpeeds(1, "0", "0");
  start(1, "3");
  EXPECT_FALSE(app.signStates[1].rollThread.valid());
  EXPECT_FALSE(isRollRunning(1));
  EXPECT_TRUE(groupEnabled(1, true));
  EXPECT_EQ(0, app.signStates[1].targetFrame);
  EXPECT_EQ(0, test::signTop(1));
}

TEST_F(Roll, TheFirstSignRollsWhateverKindButLed) {
  for (std::uint8_t kind : {std::uint8_t{2}, std::uint8_t{7}}) {
    app.layout.signs[0].kind = kind;
    setSpeeds(0, "0", "0");
    rollTo(0, "1");
    EXPECT_EQ(-57, test::signTop(0)) << "kind " << int{kind};
    rollTo(0, "0");
  }
  app.layout.signs[1].kind = 7;
  setSpeeds(1, "0", "0");
  rollTo(1, "1");
  EXPECT_EQ(-57, test::signTop(1)) << "the 2nd sign rolls an unknown kind too";
}

struct FieldCase {
  const char* speed;
  const char* interval;
  int layoutSpeed;
  int layoutInterval;
};

class RollFields : public Roll, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(RollFields, EmptyOrHugeTextsStayWithinTheFieldRanges) {
  const FieldCase& c = GetParam();
  setSpeeds(0, c.speed, c.interval);
  app.layout.signs[0].speed = 77;
  app.layout.signs[0].interval = 77;
  start(0, "1");
  EXPECT_EQ(c.layoutSpeed, app.layout.signs[0].speed);
  EXPECT_EQ(c.layoutInterval, app.layout.signs[0].interval);
  resetSign(0);
  EXPECT_EQ(1u, exitCode(0)) << "stops at once whatever the pauses";
}

INSTANTIATE_TEST_SUITE_P(Texts, RollFields,
                         ::testing::Values(FieldCase{"", "", 0, 0}, FieldCase{"40", "250", 40, 250},
                                           FieldCase{"99999999999999", "99999999999999", 1000, 5000},
                                           FieldCase{"4294967295", "4294967295", 1000, 5000},
                                           FieldCase{"1000", "5000", 1000, 5000}));

TEST_F(Roll, ThePauseFollowsEachWholeFrame) {
  // Speed 0 and an interval of 3 s: the strip rests at the first frame edge
  // until 3 s after the start.
  setSpeeds(0, "0", "3000");
  start(0, "2");
  ASSERT_TRUE(pumpWhileRolling([] { return app.signStates[0].stripOffset == -57; }, 3000));
  EXPECT_FALSE(pumpWhileRolling([] { return app.signStates[0].stripOffset != -57; }, 300)) << "resting at frame 1";
  resetSign(0);
  EXPECT_EQ(0, test::signTop(0));
}

TEST(RollSession, ClosingTheProgramDuringARollEndsTheThread) {
  HANDLE thread = nullptr;
  {
    ProgramSession session;
    session.closeSplash();
    test::setPanelText(kPanelGroups[1].speedEdit, "1000");
    test::setPanelText(kPanelGroups[1].numberDisplay, "9");
    rollSign(1);
    ASSERT_TRUE(isRollRunning(1));
    DuplicateHandle(GetCurrentProcess(), app.signStates[1].rollThread.get(), GetCurrentProcess(), &thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  }
  ASSERT_NE(nullptr, thread);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(2u, code);
  CloseHandle(thread);
}

}  // namespace
}  // namespace rovenza
