// A roll-film strip taller than a window can be (32,767 pixels): every frame
// rolls into the opening and stays there when the window is repainted.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "panel/win32/PanelCommands.h"
#include "sign/SignWindowPlace.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::TempFolder;

constexpr int kWidth = 124;
constexpr int kHeight = 40000;
constexpr int kFrameHeight = 57;  // the clip window's height

// Each frame of the strip is one colour of its own.
COLORREF frameColour(int frame) {
  return RGB(frame & 0xFF, 64 + (frame >> 8) * 48, 200);
}

void writeStrip(const std::string& path) {
  test::writeBmpRows(path, kWidth, kHeight, [](int y) { return frameColour(y / kFrameHeight); });
}

class TallStrip : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }

  void rollTo(const std::string& frame) {
    test::setPanelText(kPanelGroups[0].speedEdit, "0");
    test::setPanelText(kPanelGroups[0].intervalEdit, "0");
    test::setPanelText(kPanelGroups[0].numberDisplay, frame);
    rollSign(0);
    // Tens of thousands of steps: this thread serves them until the roll
    // thread has ended, which it does only after its end was handled here.
    HANDLE thread = app.signStates[0].rollThread.get();
    ASSERT_NE(nullptr, thread);
    const ULONGLONG giveUp = GetTickCount64() + 300000;
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0) {
      ASSERT_LT(GetTickCount64(), giveUp) << "the roll did not end";
      test::pumpPending();
    }
    test::pumpPending();
    ASSERT_FALSE(isRollRunning(0));
  }

  // Whether the whole opening, top row to bottom row, shows `frame`.
  void expectOpeningShows(int frame, const char* when) {
    HDC clip = GetDC(app.clips[0].handle());
    for (POINT p : {POINT{2, 0}, POINT{60, 28}, POINT{120, kFrameHeight - 1}}) {
      EXPECT_EQ(frameColour(frame), GetPixel(clip, p.x, p.y)) << when << " at " << p.x << "," << p.y;
    }
    ReleaseDC(app.clips[0].handle(), clip);
  }

  // What uncovering the window does: everything is painted again.
  void repaint() {
    RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::pumpPending();
  }

  test::ProgramSession session;
};

TEST_F(TallStrip, RollsPastFrameSixHundredAndRepaints) {
  ASSERT_EQ(kFrameHeight, app.clips[0].height());
  TempFolder folder;
  const std::string path = folder.file("tall.bmp");
  writeStrip(path);
  app.layout.signs[0].picturePath = path;
  showStripPicture(0);
  ASSERT_EQ(kHeight, test::bitmapSize(app.signStates[0].picture.get()).cy);
  EXPECT_LE(test::signSize(0).cy, kMaxWindowExtent);
  expectOpeningShows(0, "shown");

  rollTo("650");
  EXPECT_EQ(-650 * kFrameHeight, app.signStates[0].stripOffset);
  EXPECT_EQ(650, app.signStates[0].currentFrame);
  expectOpeningShows(650, "rolled");
  // The sign window stands within window coordinates and covers the opening.
  const int top = test::signTop(0);
  EXPECT_GE(top, -32768);
  EXPECT_LE(top, 0);
  EXPECT_GE(top + test::signSize(0).cy, kFrameHeight);
  repaint();
  expectOpeningShows(650, "repainted");

  resetSign(0);
  repaint();
  expectOpeningShows(0, "reset and repainted");
  EXPECT_EQ(0, test::signTop(0));
}

}  // namespace
}  // namespace rovenza
