// A monkey on the operation panel: thousands of random clicks on both signs'
// keys and arrows while the signs roll at full speed. Nothing may crash or
// hang, the panel's rules hold after every click, and a final "強" on both
// signs leaves every group usable and both signs at frame 0.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/Number.h"
#include "panel/PanelIds.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

constexpr int kClicks = 5000;
constexpr unsigned kSeed = 20240607;

// One thing the monkey can press: a key, or one arrow of an up-down.
struct Target {
  int id;
  int arrow;  // 0 for a key, +1 for the up arrow, -1 for the down arrow
};

std::vector<Target> targetsOf(const PanelGroupIds& g) {
  std::vector<Target> targets;
  for (int d = 0; d <= 9; ++d) targets.push_back({g.digitFirst + d, 0});
  for (int id : {g.clear, g.start, g.reset, g.forward, g.back}) targets.push_back({id, 0});
  for (int id : {g.speedUpDown, g.intervalUpDown}) {
    targets.push_back({id, +1});
    targets.push_back({id, -1});
  }
  return targets;
}

// Takes one message, and the messages sent from the roll threads that are
// waiting now.
void pumpOnce() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class PanelMonkey : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    panel = app.panelWindow;
    ASSERT_TRUE(IsWindow(panel));
    for (int sign = 0; sign < 2; ++sign) {
      app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::RollFilm);
      app.layout.signs[sign].picturePath = test::sourcePath("demo/strip.bmp");
      showStripPicture(sign);
    }
    // Each lookup of a control by id asks for the panel's child list: look
    // them up once.
    for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      controls[GetDlgCtrlID(child)] = child;
    }
  }
  void TearDown() override {
    for (int sign = 0; sign < 2; ++sign) stopRoll(sign);
  }

  HWND item(int id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second;
  }

  bool groupEnabled(int sign) const {
    const PanelGroupIds& g = kPanelGroups[sign];
    for (int d = 0; d <= 9; ++d) {
      if (!IsWindowEnabled(item(g.digitFirst + d))) return false;
    }
    for (int id : {g.start, g.clear, g.forward, g.back, g.speedEdit, g.intervalEdit, g.speedUpDown,
                   g.intervalUpDown}) {
      if (!IsWindowEnabled(item(id))) return false;
    }
    return true;
  }

  // Presses a target as a user would; a disabled one cannot be pressed.
  bool press(const Target& t) {
    HWND control = item(t.id);
    if (!IsWindowEnabled(panel) || !IsWindowEnabled(control)) return false;
    if (t.arrow == 0) {
      SendMessageA(control, BM_CLICK, 0, 0);
    } else {
      const RECT client = test::clientRect(control);
      const LPARAM at = MAKELPARAM(client.right / 2, t.arrow > 0 ? client.bottom / 4 : client.bottom * 3 / 4);
      SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageA(control, WM_LBUTTONUP, 0, at);
    }
    return true;
  }

  // The panel's rules that hold after every click.
  void checkRules(int sign, int click) {
    const PanelGroupIds& g = kPanelGroups[sign];
    ASSERT_TRUE(IsWindowEnabled(item(g.reset))) << "強 is never greyed out; click " << click;
    const std::string display = test::windowText(item(g.numberDisplay));
    ASSERT_LE(display.size(), 3u) << "click " << click;
    for (char c : display) ASSERT_TRUE(c >= '0' && c <= '9') << display << " click " << click;
    const std::string& entry = app.signStates[sign].entry;
    ASSERT_LE(entry.size(), 3u) << "click " << click;
    for (char c : entry) ASSERT_TRUE(c >= '0' && c <= '9') << entry << " click " << click;
    if (!isRollRunning(sign)) {
      ASSERT_TRUE(groupEnabled(sign)) << "a sign that does not roll has its group; click " << click;
    }
  }

  ProgramSession session;
  HWND panel = nullptr;
  std::map<int, HWND> controls;
};

TEST_F(PanelMonkey, RandomClicksNeverBreakThePanel) {
  for (int edit : {1033, 1036, 1040, 1042}) SetWindowTextA(item(edit), "0");  // speed and interval 0

  std::vector<Target> targets = targetsOf(kPanelGroups[0]);
  for (const Target& t : targetsOf(kPanelGroups[1])) targets.push_back(t);
  std::mt19937 random(kSeed);
  std::uniform_int_distribution<size_t> pick(0, targets.size() - 1);

  const ULONGLONG started = GetTickCount64();
  int pressed = 0;
  int rollsStarted = 0;
  int rollsFinished = 0;  // ended on their own, not by "強"
  bool wasRolling[2] = {false, false};
  for (int click = 0; click < kClicks; ++click) {
    const Target& t = targets[pick(random)];
    pressed += press(t);
    // Mostly let through only what is waiting right now (about one step of
    // each roll), so that clicks fall between the steps of running rolls;
    // now and then everything that is waiting.
    if (click % 16 == 15) {
      test::pumpPending();
    } else {
      pumpOnce();
    }
    for (int sign = 0; sign < 2; ++sign) {
      const bool rolling = isRollRunning(sign);
      if (rolling && !wasRolling[sign]) ++rollsStarted;
      if (!rolling && wasRolling[sign] && t.id != kPanelGroups[sign].reset) ++rollsFinished;
      wasRolling[sign] = rolling;
      checkRules(sign, click);
      if (HasFatalFailure()) return;
    }
  }
  const ULONGLONG clicking = GetTickCount64() - started;
  std::printf("monkey: %d clicks in %llu ms\n", kClicks, static_cast<unsigned long long>(clicking));

  for (int sign = 0; sign < 2; ++sign) {
    const int reset = kPanelGroups[sign].reset;
    ASSERT_TRUE(IsWindowEnabled(item(reset)));
    SendMessageA(item(reset), BM_CLICK, 0, 0);
  }
  const bool settled = test::pumpUntil(
      [&] {
        for (int sign = 0; sign < 2; ++sign) {
          if (isRollRunning(sign) || !groupEnabled(sign)) return false;
          if (signWindowOf(sign).top() != 0 || app.signStates[sign].stripOffset != 0) return false;
          if (app.signStates[sign].currentFrame != 0 || app.signStates[sign].targetFrame != 0) return false;
        }
        return true;
      },
      10000);
  EXPECT_TRUE(settled);
  for (int sign = 0; sign < 2; ++sign) {
    EXPECT_FALSE(isRollRunning(sign)) << sign;
    EXPECT_TRUE(groupEnabled(sign)) << sign;
    EXPECT_EQ(0, signWindowOf(sign).top()) << sign;
    EXPECT_EQ(0, app.signStates[sign].currentFrame) << sign;
    EXPECT_EQ("", test::windowText(item(kPanelGroups[sign].numberDisplay))) << sign;
  }
  // The monkey did get through: most clicks landed and the signs did roll.
  EXPECT_GT(pressed, kClicks / 4);
  EXPECT_GT(rollsStarted, 0);
  EXPECT_GT(rollsFinished, 0);
  std::printf("monkey: %d pressed (the others were greyed out), %d rolls started, %d ended on their own\n", pressed,
              rollsStarted, rollsFinished);
}

}  // namespace
}  // namespace rovenza
