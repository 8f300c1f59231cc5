// An LED frame that is an animated GIF: its first picture is shown as the
// still picture of the same GIF is, its pictures alternate on screen, and
// "強", another frame and hiding the sign stop it at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "../core/GifDecoding.h"
#include "layout/Layout.h"
#include "panel/PanelIds.h"
#include "sign/win32/LedAnimation.h"
#include "record/win32/Recorder.h"
#include "sign/LedLook.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/SignLook.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;
using test::TempFolder;

constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

// A 30 x 20 GIF looping forever: red, shown `firstDelay` hundredths, then
// green over its left half for 40 ms. With `clearColumn` the red's left
// column is transparent (its colour blue).
std::vector<unsigned char> redGreenGif(int pictures, int firstDelay = 4, bool clearColumn = false) {
  test::GifPlan plan{30, 20, {kRed, kGreen, 0x0000FF}, 0, {}};
  plan.pictures.push_back(test::filledPicture(0, 0, 30, 20, 0, firstDelay));
  if (clearColumn) {
    plan.pictures.back().transparent = 2;
    for (int y = 0; y < 20; ++y) plan.pictures.back().indices[y * 30] = 2;
  }
  if (pictures > 1) {
    plan.pictures.push_back(test::filledPicture(0, 0, 15, 20, 1, 4));
    plan.pictures.back().disposal = 2;  // back to black before the red again
  }
  return test::writeGif(plan);
}

class SignAnimation : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    // Frame 0 a blue still, frame 1 the animation.
    test::writeBmp(folder.file("f00.bmp"), 30, 20, kBlue);
    test::writeFile(folder.file("f01.gif"), redGreenGif(2));
    test::writeFile(still.file("f00.gif"), redGreenGif(1));
    for (int sign = 0; sign < 2; ++sign) {
      app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::Led);
      app.layout.signs[sign].picturePath = folder.path();
    }
  }

  // Clicks a panel key as a user would: only an enabled key.
  void click(int id) {
    HWND key = GetDlgItem(app.panelWindow, id);
    ASSERT_TRUE(IsWindowEnabled(app.panelWindow) && IsWindowEnabled(key)) << "key " << id << " is disabled";
    SendMessageA(key, BM_CLICK, 0, 0);
  }

  void showFrame(int sign, int frame) {
    test::setPanelText(kPanelGroups[sign].numberDisplay, std::to_string(frame));
    click(kPanelGroups[sign].start);
  }

  ProgramSession session;
  TempFolder folder;
  TempFolder still;
};

TEST_F(SignAnimation, AnAnimatedLedFrameAlternatesOnScreenAndStopsAtReset) {
  showFrame(0, 1);
  ASSERT_TRUE(isLedAnimationPlaying(0));
  EXPECT_EQ(30, test::signSize(0).cx);
  EXPECT_EQ(20, test::signSize(0).cy);
  EXPECT_EQ(RGB(255, 0, 0), test::clipPixel(0, 5, 5)) << "the first picture at once";
  for (int round = 0; round < 2; ++round) {
    EXPECT_TRUE(test::pumpUntil([&] { return test::clipPixel(0, 5, 5) == RGB(0, 255, 0); }, 5000)) << round;
    EXPECT_EQ(RGB(255, 0, 0), test::clipPixel(0, 25, 5)) << "the red beneath stays";
    EXPECT_TRUE(test::pumpUntil([&] { return test::clipPixel(0, 5, 5) == RGB(255, 0, 0); }, 5000)) << round;
  }
  click(kPanelGroups[0].reset);
  EXPECT_FALSE(isLedAnimationPlaying(0));
  EXPECT_EQ(kBlue, test::clipPixel(0, 5, 5)) << "frame 0 at once";
}

TEST_F(SignAnimation, TheFirstPictureIsTheOneTheStillGifShows) {
  test::writeFile(folder.file("f02.gif"), redGreenGif(2, 1000));  // the first picture stays 10 s
  showFrame(1, 2);
  ASSERT_TRUE(isLedAnimationPlaying(1));
  HBITMAP today = loadPicture(still.file("f00.gif"));
  ASSERT_NE(nullptr, today);
  EXPECT_EQ(test::bitmapSize(today).cx, test::signSize(1).cx);
  EXPECT_EQ(test::bitmapSize(today).cy, test::signSize(1).cy);
  EXPECT_EQ(test::pixelsOf(today), test::pixelsOf(app.signStates[1].picture.get()));
  DeleteObject(today);
  // Transparent pixels show the black of an unlit sign.
  test::writeFile(folder.file("f03.gif"), redGreenGif(2, 1000, true));
  showFrame(1, 3);
  EXPECT_EQ(RGB(0, 0, 0), test::clipPixel(1, 0, 5));
  EXPECT_EQ(RGB(255, 0, 0), test::clipPixel(1, 1, 5));
  // A still GIF in a folder goes the way it always went.
  app.layout.signs[1].picturePath = still.path();
  showFrame(1, 0);
  EXPECT_FALSE(isLedAnimationPlaying(1));
  EXPECT_EQ(RGB(255, 0, 0), test::clipPixel(1, 20, 5));
}

// A first picture too costly to decode while "ON" runs (stored interlaced,
// far wider and taller than the screen) is decoded by the animation's
// thread: it appears when ready, the animation plays, and "強" ends it.
TEST_F(SignAnimation, AFirstPictureTooCostlyToDecodeAtOnceAppearsWhenReadyAndPlays) {
  test::GifPlan plan{30, 20, {kRed, kGreen}, 0, {}};
  plan.pictures.push_back(test::filledPicture(0, 0, 1100, 2000, 0, 4));
  plan.pictures.back().interlace = true;  // 1,010 stored rows of 1,100 to reach the screen's last row
  plan.pictures.push_back(test::filledPicture(0, 0, 15, 20, 1, 4));
  plan.pictures.back().disposal = 2;
  test::writeFile(folder.file("f02.gif"), test::writeGif(plan));
  showFrame(0, 2);
  EXPECT_TRUE(test::pumpUntil([&] { return test::clipPixel(0, 25, 5) == RGB(255, 0, 0); }, 5000));
  EXPECT_TRUE(test::pumpUntil([&] { return test::clipPixel(0, 5, 5) == RGB(0, 255, 0); }, 5000));
  EXPECT_TRUE(isLedAnimationPlaying(0));
  click(kPanelGroups[0].reset);
  EXPECT_FALSE(isLedAnimationPlaying(0));
  EXPECT_EQ(kBlue, test::clipPixel(0, 5, 5));
}

TEST_F(SignAnimation, AnotherFrameOrHidingTheSignStopsItAtOnce) {
  showFrame(0, 1);
  ASSERT_TRUE(isLedAnimationPlaying(0));
  showFrame(0, 0);
  EXPECT_FALSE(isLedAnimationPlaying(0));
  EXPECT_EQ(kBlue, test::clipPixel(0, 5, 5));

  showFrame(1, 1);
  ASSERT_TRUE(isLedAnimationPlaying(1));
  ShowWindow(clipOf(1).handle(), SW_HIDE);
  EXPECT_FALSE(isLedAnimationPlaying(1));
}

// With the signs' look on, every picture of an animation is shown as the dot
// board of that picture, as a still frame's is.
TEST_F(SignAnimation, WithTheLookOnEachPictureIsADotBoard) {
  setSignLook(true, kDefaultDotPitch);
  const auto dotted = [](std::vector<std::uint32_t> pixels) {
    drawDotBoard(PixelRows{pixels.data(), 30, 30, 20}, kDefaultDotPitch);
    return pixels;
  };
  std::vector<std::uint32_t> red(30 * 20, kRed);
  std::vector<std::uint32_t> redGreen = red;
  for (int y = 0; y < 20; ++y) std::fill_n(redGreen.begin() + y * 30, 15, kGreen);
  showFrame(0, 1);
  ASSERT_TRUE(isLedAnimationPlaying(0));
  EXPECT_EQ(dotted(red), test::pixelsOf(app.signStates[0].picture.get())) << "the first picture";
  EXPECT_TRUE(test::pumpUntil(
      [&] { return test::pixelsOf(app.signStates[0].picture.get()) == dotted(redGreen); }, 5000))
      << "the second picture";
  click(kPanelGroups[0].reset);
  setSignLook(false, kDefaultDotPitch);
}

TEST_F(SignAnimation, ARecordingCatchesThePicturesAsTheyPlayNeverHalfWritten) {
  const std::string path = still.file("animated.gif");
  ASSERT_TRUE(startRecording(session.main(), path));
  showFrame(0, 1);
  int changes = 0;
  COLORREF last = test::clipPixel(0, 5, 5);
  ASSERT_TRUE(test::pumpUntil([&] {
    const COLORREF now = test::clipPixel(0, 5, 5);
    if (now != last) ++changes;
    last = now;
    return changes >= 6;
  }, 10000));
  ASSERT_TRUE(stopRecording());
  const test::DecodedGif gif = test::decodeGif(test::readWholeFile(path));
  ASSERT_TRUE(gif.ok);
  const int left = clipOf(0).left(), top = clipOf(0).top();
  int red = 0, green = 0;
  for (const test::DecodedFrame& frame : gif.frames) {
    const auto at = [&](int x, int y) { return frame.screen[static_cast<std::size_t>(top + y) * gif.width + left + x]; };
    if (at(5, 5) != kRed && at(5, 5) != kGreen) continue;  // before the first picture
    (at(5, 5) == kRed ? red : green)++;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 30; ++x) {
        ASSERT_EQ(x < 15 ? at(5, 5) : kRed, at(x, y)) << "one picture in each frame, at " << x << "," << y;
      }
    }
  }
  EXPECT_GE(red, 2);
  EXPECT_GE(green, 2);
}

}  // namespace
}  // namespace rovenza
