// What another program sees on the screen while nothing but the program's own
// message loop runs (no mouse, no key, no repaint): each picture of an
// animated LED frame, drawn by its own thread, in its own look; a roll's
// position while it pauses between frames.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "layout/Layout.h"
#include "panel/PanelIds.h"
#include "sign/LedLook.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignLook.h"
#include "screen_test_support.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ScreenWatch;

constexpr int kWidth = 30, kHeight = 20;
// Red, then green over its left half, then blue, 40 ms each, looping. What a
// thread draws reaches the screen by itself (Wine) only when another drawing
// comes 50 ms or more after it: pictures this short are passed over unless
// the program puts each on the screen.
constexpr std::uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr int kPictureWidths[] = {kWidth, kWidth / 2, kWidth};
using Picture = std::vector<std::uint32_t>;

class SignScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    // Above any window another program of the session left on the screen:
    // what is read there must be the board.
    SetWindowPos(app.mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  void TearDown() override {
    stopRoll(0);
    setSignLook(false, kDefaultDotPitch);
  }

  void click(int id) {
    HWND key = GetDlgItem(app.panelWindow, id);
    ASSERT_TRUE(IsWindowEnabled(app.panelWindow) && IsWindowEnabled(key)) << "key " << id << " is disabled";
    SendMessageA(key, BM_CLICK, 0, 0);
  }

  // The 1st sign an LED sign whose frame 0 is that animation, 30 x 20.
  void showAnimation() {
    test::GifPlan plan{kWidth, kHeight, {std::begin(kColours), std::end(kColours)}, 0, {}};
    for (std::uint8_t n = 0; n < 3; ++n) {
      plan.pictures.push_back(test::filledPicture(0, 0, kPictureWidths[n], kHeight, n, 4));
    }
    test::writeFile(folder.file("00.gif"), test::writeGif(plan));
    app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
    app.layout.signs[0].picturePath = folder.path();
    test::setPanelText(kPanelGroups[0].numberDisplay, "0");
    click(kPanelGroups[0].start);
  }

  // The pictures of that animation one after another, twice and the first
  // again, as dot boards when `dotted`.
  static std::vector<Picture> animationPictures(bool dotted) {
    std::vector<Picture> pictures;
    Picture picture(kWidth * kHeight);
    for (int n = 0; n < 7; ++n) {
      for (int y = 0; y < kHeight; ++y) {
        std::fill_n(picture.begin() + y * kWidth, kPictureWidths[n % 3], kColours[n % 3]);
      }
      pictures.push_back(picture);
      if (dotted) drawDotBoard(PixelRows{pictures.back().data(), kWidth, kWidth, kHeight}, kDefaultDotPitch);
    }
    return pictures;
  }

  test::ProgramSession session;
  test::TempFolder folder;
};

// Each picture is drawn by the animation's thread; the screen shows every
// one of them in turn, though the user-interface thread has nothing else to
// do.
TEST_F(SignScreen, AnAnimationsPicturesReachTheScreenByThemselves) {
  ScreenWatch watch(test::onScreen(clipOf(0).handle(), kWidth, kHeight), 20000, animationPictures(false));
  ASSERT_TRUE(watch.started());
  showAnimation();
  EXPECT_TRUE(watch.served()) << "the pictures did not follow each other on screen";
}

// With the look on, the screen shows every picture as its dot board, not
// shaded as a roll film's opening is.
TEST_F(SignScreen, WithTheLookOnTheScreenShowsEachPictureAsADotBoard) {
  setSignLook(true, kDefaultDotPitch);
  ScreenWatch watch(test::onScreen(clipOf(0).handle(), kWidth, kHeight), 20000, animationPictures(true));
  ASSERT_TRUE(watch.started());
  showAnimation();
  EXPECT_TRUE(watch.served()) << "the dot boards did not follow each other on screen";
}

// A roll pausing at a frame boundary: the screen shows the frame reached
// while the roll thread waits, then the frame it ends at.
TEST_F(SignScreen, ARollsPositionReachesTheScreenWhileItPauses) {
  app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::RollFilm);
  app.layout.signs[0].picturePath = test::sourcePath("demo/strip.bmp");
  showStripPicture(0);
  const int width = clipOf(0).width(), height = clipOf(0).height();
  const SIZE strip = test::bitmapSize(app.signStates[0].picture.get());
  const Picture pixels = test::pixelsOf(app.signStates[0].picture.get());
  // Frame n of the strip in the opening, white beside a narrower strip.
  const auto frame = [&](int n) {
    Picture opening(static_cast<std::size_t>(width) * height, 0xFFFFFF);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < std::min<int>(width, strip.cx); ++x) {
        opening[y * width + x] = pixels[static_cast<std::size_t>(n * height + y) * strip.cx + x];
      }
    }
    return opening;
  };
  ScreenWatch watch(test::onScreen(clipOf(0).handle(), width, height), 20000, {frame(1), frame(2)});
  ASSERT_TRUE(watch.started());
  SetDlgItemTextA(app.panelWindow, kPanelGroups[0].speedEdit, "0");
  SetDlgItemTextA(app.panelWindow, kPanelGroups[0].intervalEdit, "3000");
  test::setPanelText(kPanelGroups[0].numberDisplay, "2");
  click(kPanelGroups[0].start);
  EXPECT_TRUE(watch.served()) << "frame 1 did not show while the roll paused there";
}

}  // namespace
}  // namespace rovenza
