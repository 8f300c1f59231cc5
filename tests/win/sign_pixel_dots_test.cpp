// LED frames one pixel a dot: the 設定 item switches the board's two signs,
// is kept in the look's INI file beside the program, and another program
// sees each picture of an animated frame on the screen as cells of the dot
// pitch, the opening where it was.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "../core/GifBytes.h"
#include "app/win32/EffectsSwitch.h"
#include "panel/PanelIds.h"
#include "screen_test_support.h"
#include "sign/LedLook.h"
#include "sign/win32/PixelDots.h"
#include "sign_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"
#include "switch_test_support.h"

namespace rovenza {
namespace {

// A panel's picture, 8 x 4 pixels: red, then green over its left half, then
// blue, 200 ms each, looping.
constexpr int kWidth = 8, kHeight = 4;
constexpr std::uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr int kPictureWidths[] = {kWidth, kWidth / 2, kWidth};
using Picture = std::vector<std::uint32_t>;

class PixelDotsSwitch : public test::SwitchFileTest {
 protected:
  PixelDotsSwitch() : SwitchFileTest(effectsSwitchFile(), kCmdPixelDots, "Effects") {}

  // The 1st sign an LED sign whose frame 0 is that animation, shown with the panel's "ON".
  void showAnimation() {
    test::GifPlan plan{kWidth, kHeight, {std::begin(kColours), std::end(kColours)}, 0, {}};
    for (std::uint8_t n = 0; n < 3; ++n) plan.pictures.push_back(test::filledPicture(0, 0, kPictureWidths[n], kHeight, n, 20));
    test::writeFile(folder.file("00.gif"), test::writeGif(plan));
    app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
    app.layout.signs[0].picturePath = folder.path();
    test::setPanelText(kPanelGroups[0].numberDisplay, "0");
    HWND start = GetDlgItem(app.panelWindow, kPanelGroups[0].start);
    ASSERT_TRUE(IsWindowEnabled(app.panelWindow) && IsWindowEnabled(start));
    SendMessageA(start, BM_CLICK, 0, 0);
  }

  // The opening as the animation's pictures show in turn, one pixel a dot.
  static std::vector<Picture> dottedPictures(int openingWidth, int openingHeight) {
    const PixelDotsSize size = pixelDotsSize(kWidth, kHeight, kDefaultDotPitch, openingWidth, openingHeight);
    std::vector<Picture> shown;
    Picture picture(kWidth * kHeight);
    for (int n = 0; n < 4; ++n) {
      for (int y = 0; y < kHeight; ++y) std::fill_n(picture.begin() + y * kWidth, kPictureWidths[n % 3], kColours[n % 3]);
      shown.emplace_back(static_cast<std::size_t>(size.width) * size.height);
      drawPixelDots(PixelRows{picture.data(), kWidth, kWidth, kHeight},
                    PixelRows{shown.back().data(), size.width, size.width, size.height}, kDefaultDotPitch, false);
    }
    return shown;
  }

  RECT openingOnScreen() const { return test::windowRect(clipOf(0).handle()); }
  SIZE shownSize() const { return test::bitmapSize(app.signStates[0].picture.get()); }

  test::TempFolder folder;
};

TEST_F(PixelDotsSwitch, TheItemSwitchesTheBoardsSignsIsKeptAndTheScreenShowsTheDots) {
  start();
  SetWindowPos(app.mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(itemState() & MF_CHECKED) << "off at first";
  showAnimation();
  test::pumpPending();
  const RECT opening = openingOnScreen();
  EXPECT_EQ(kWidth, shownSize().cx);
  EXPECT_FALSE(test::fileExists(file)) << "nothing is written until the item is used";

  // On: the frame shown at once as cells of 3 pixels, the opening as it was.
  choose();
  EXPECT_TRUE(itemState() & MF_CHECKED);
  EXPECT_TRUE(pixelDotsOn(0) && pixelDotsOn(1));
  EXPECT_EQ(1, kept("PixelDots"));
  EXPECT_EQ(-1, kept("Show")) << "the look's own switch is left alone";
  EXPECT_EQ(kWidth * kDefaultDotPitch, shownSize().cx);
  EXPECT_EQ(kHeight * kDefaultDotPitch, shownSize().cy);
  const RECT openingNow = openingOnScreen();
  EXPECT_TRUE(EqualRect(&opening, &openingNow)) << "the opening keeps its size and place";
  // An opening made narrower cuts the dots at its edge; wider again, shows them all.
  const int openingWidth = clipOf(0).width();
  clipOf(0).setWidth(10);
  EXPECT_EQ(10, shownSize().cx);
  clipOf(0).setWidth(openingWidth);
  EXPECT_EQ(kWidth * kDefaultDotPitch, shownSize().cx);

  // Kept for the next run: there another program sees the pictures in turn.
  session.reset();
  start();
  SetWindowPos(app.mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(itemState() & MF_CHECKED) << "on again in the next run";
  const int width = clipOf(0).width(), height = clipOf(0).height();
  const PixelDotsSize size = pixelDotsSize(kWidth, kHeight, kDefaultDotPitch, width, height);
  test::ScreenWatch watch(test::onScreen(clipOf(0).handle(), size.width, size.height), 20000,
                          dottedPictures(width, height));
  ASSERT_TRUE(watch.started());
  showAnimation();
  EXPECT_TRUE(watch.served()) << "the pictures did not show one pixel a dot";

  // Off: the frame as it is again, and kept off.
  choose();
  EXPECT_FALSE(itemState() & MF_CHECKED);
  EXPECT_FALSE(pixelDotsOn(0) || pixelDotsOn(1));
  EXPECT_EQ(0, kept("PixelDots"));
  EXPECT_EQ(kWidth, shownSize().cx);
  session.reset();
  start();
  EXPECT_FALSE(itemState() & MF_CHECKED);
}

}  // namespace
}  // namespace rovenza
