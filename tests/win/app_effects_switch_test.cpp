// The signs' realistic look: its switch in the 設定 menu, kept between runs
// in its own INI file beside the program, and the board with the look off
// again drawn exactly as it was before the look was ever on.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/win32/EffectsSwitch.h"
#include "app/win32/Settings.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignLook.h"
#include "sign_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"
#include "switch_test_support.h"

namespace rovenza {
namespace {

using test::TempFolder;

constexpr std::uint32_t kLedColour = 0xC01020;  // 0x00RRGGBB

// Shows the one frame of an LED folder on `sign`.
void showLedFolder(int sign, const TempFolder& frames) {
  app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[sign].picturePath = frames.path();
  test::setPanelText(kPanelGroups[sign].numberDisplay, "0");
  rollSign(sign);
}

class EffectsSwitch : public test::SwitchFileTest {
 protected:
  EffectsSwitch() : SwitchFileTest(effectsSwitchFile(), kCmdEffects, "Effects") {}
  std::vector<std::uint32_t> ledPixels() const { return test::pixelsOf(app.signStates[0].picture.get()); }
};

// Where the item stands in the menu is checked with the whole menu
// (app_spine_test); here, what it does.
TEST_F(EffectsSwitch, TheMenuItemTogglesAndPersists) {
  ASSERT_NE(std::string::npos, file.find("-effects.ini")) << file;
  TempFolder frames;
  test::writeBmp(frames.file("a.bmp"), 12, 9, RGB(0xC0, 0x10, 0x20));
  const std::vector<unsigned char> settingsBefore = test::readWholeFile(settingsPath());
  start();
  EXPECT_FALSE(itemState() & MF_CHECKED) << "off at first";
  EXPECT_FALSE(signLookOn());
  showLedFolder(0, frames);
  EXPECT_EQ(std::vector<std::uint32_t>(12 * 9, kLedColour), ledPixels()) << "the plain picture";
  EXPECT_FALSE(test::fileExists(file)) << "nothing is written until the switch is used";

  // On: the frame shown becomes a board of 3-pixel dots at once.
  choose();
  EXPECT_TRUE(itemState() & MF_CHECKED);
  EXPECT_TRUE(signLookOn());
  EXPECT_EQ(1, kept("Show"));
  EXPECT_EQ(3, kept("DotPitch"));
  std::vector<std::uint32_t> dots = ledPixels();
  ASSERT_EQ(12u * 9u, dots.size());
  EXPECT_EQ(kLedColour, dots[1 * 12 + 1]) << "a dot's middle";
  EXPECT_EQ(kLedColour, dots[7 * 12 + 10]);
  EXPECT_LT(dots[2 * 12 + 2] >> 16, 0xC0u / 2) << "the gap between dots";
  EXPECT_EQ(settingsBefore, test::readWholeFile(settingsPath())) << "the settings file is another one";

  // Kept for the next run; with a dot pitch of 5 written into the file.
  session.reset();
  WritePrivateProfileStringA("Effects", "DotPitch", "5", file.c_str());
  start();
  EXPECT_TRUE(itemState() & MF_CHECKED) << "on again in the next run";
  EXPECT_TRUE(signLookOn());
  showLedFolder(0, frames);
  dots = ledPixels();
  EXPECT_EQ(kLedColour, dots[2 * 12 + 2]) << "the middle of a 5-pixel cell";
  EXPECT_NE(kLedColour, dots[0]);

  // Off: the plain picture again, and kept off.
  choose();
  EXPECT_FALSE(itemState() & MF_CHECKED);
  EXPECT_FALSE(signLookOn());
  EXPECT_EQ(0, kept("Show"));
  EXPECT_EQ(5, kept("DotPitch")) << "the user's pitch stays";
  EXPECT_EQ(std::vector<std::uint32_t>(12 * 9, kLedColour), ledPixels());
  session.reset();
  start();
  EXPECT_FALSE(itemState() & MF_CHECKED);
  EXPECT_FALSE(signLookOn());
}

// Row y of the test strip: a colour of its own for every row.
COLORREF stripRow(int y) { return RGB(0x30 + y % 0x90, 0x80, 0xE0 - y % 0x60); }

// The look on changes only the openings; with it off again, and after a roll
// with it on, the board is exactly what it was before the look was ever on.
TEST_F(EffectsSwitch, EffectsOffLeaveTheScreenExactlyAsToday) {
  start();
  TempFolder folder;
  test::writeBmpRows(folder.file("strip.bmp"), 124, 10 * 57, stripRow);
  test::writeBmp(folder.file("a.bmp"), 124, 57, RGB(0xC0, 0x10, 0x20));
  SetWindowPos(session->main(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(app.panelWindow, nullptr, 500, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  app.layout.signs[0].picturePath = folder.file("strip.bmp");
  showStripPicture(0);
  TempFolder frames;
  CopyFileA(folder.file("a.bmp").c_str(), frames.file("a.bmp").c_str(), FALSE);
  showLedFolder(1, frames);
  test::pumpPending();
  int width = 0, height = 0;
  const std::vector<std::uint32_t> before = test::screenPixels(session->main(), width, height);
  RECT film = test::windowRect(app.clips[0].handle());
  MapWindowPoints(nullptr, session->main(), reinterpret_cast<POINT*>(&film), 2);
  const int h = film.bottom - film.top;
  ASSERT_EQ(57, h);
  const auto at = [&](const std::vector<std::uint32_t>& pixels, int x, int y) {
    return pixels[static_cast<std::size_t>(film.top + y) * width + film.left + x];
  };

  choose();
  test::pumpPending();
  const std::vector<std::uint32_t> on = test::screenPixels(session->main(), width, height);
  EXPECT_NE(before, on);
  // The film: as it is in the middle, darker towards the rollers.
  EXPECT_EQ(at(before, 60, h / 2), at(on, 60, h / 2));
  EXPECT_LT(at(on, 60, 0) & 0xFF, (at(before, 60, 0) & 0xFF) / 2 + 1);
  EXPECT_LT(at(on, 60, h - 1) & 0xFF, (at(before, 60, h - 1) & 0xFF) / 2 + 1);
  // Outside the two openings nothing changed.
  RECT led = test::windowRect(app.clips[1].handle());
  MapWindowPoints(nullptr, session->main(), reinterpret_cast<POINT*>(&led), 2);
  std::size_t changedOutside = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const POINT p{x, y};
      if (PtInRect(&film, p) || PtInRect(&led, p)) continue;
      if (before[static_cast<std::size_t>(y) * width + x] != on[static_cast<std::size_t>(y) * width + x]) {
        ++changedOutside;
      }
    }
  }
  EXPECT_EQ(0u, changedOutside);

  // A roll at full speed there and back: it ends with the opening sharp, as
  // a paint of the standing sign draws it.
  for (const char* frame : {"1", "0"}) {
    test::setPanelText(kPanelGroups[0].numberDisplay, frame);
    test::setPanelText(kPanelGroups[0].speedEdit, "0");
    test::setPanelText(kPanelGroups[0].intervalEdit, "0");
    rollSign(0);
    ASSERT_TRUE(test::pumpWhileRolling([] { return !isRollRunning(0); }, 30000));
    test::pumpPending();
  }
  EXPECT_EQ(on, test::screenPixels(session->main(), width, height)) << "back at frame 0 after the roll";

  choose();
  test::pumpPending();
  EXPECT_EQ(before, test::screenPixels(session->main(), width, height)) << "the look off again";
}

}  // namespace
}  // namespace rovenza
