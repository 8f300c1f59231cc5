// A whole vehicle: File > 車両を開く opens its faces beside the main window,
// the setting box's "設定" sets every sign of every face (as another program
// sees the screen), pages alternate in step, the panel keeps driving the
// main window's signs, and a layout file opened afterwards closes the faces.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "LayoutTestWindows.h"
#include "board/win32/LayoutFiles.h"
#include "layout/MemoryBoard.h"
#include "layout/Qv4File.h"
#include "layout/win32/SystemFiles.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelWindow.h"
#include "screen_test_support.h"
#include "sign/win32/Roll.h"
#include "sign_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"
#include "vehicle/win32/SettingBox.h"
#include "vehicle/win32/VehicleOpen.h"

namespace rovenza {
namespace {

using Picture = std::vector<std::uint32_t>;
constexpr int kWidth = 24, kHeight = 12;
constexpr int kFrames = 6;

// Frame n of each picture set, one colour each.
std::uint32_t stripColour(int n) { return 0x101010u * static_cast<std::uint32_t>(n + 1) + 0x800000u; }
std::uint32_t ledA(int n) { return 0x000020u * static_cast<std::uint32_t>(n + 1) + 0x008000u; }
std::uint32_t ledB(int n) { return 0x002000u * static_cast<std::uint32_t>(n + 1) + 0x000080u; }
COLORREF asColorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

Picture solid(int width, std::uint32_t left, std::uint32_t right = 0, int split = 0) {
  Picture picture(static_cast<std::size_t>(width) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < width; ++x) picture[y * width + x] = split && x >= split ? right : left;
  }
  return picture;
}

struct SignAt {
  SignKind kind;
  std::string picture;
  int left;
};

class VehicleFaces : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    SetWindowPos(app.mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::string strip = folder.file("strip.bmp");
    test::writeBmpRows(strip, kWidth, kHeight * kFrames, [](int y) { return asColorRef(stripColour(y / kHeight)); });
    const std::string a = folder.file("a"), b = folder.file("b");
    CreateDirectoryA(a.c_str(), nullptr);
    CreateDirectoryA(b.c_str(), nullptr);
    for (int n = 0; n < kFrames; ++n) {
      const std::string name = "\\0" + std::to_string(n) + ".bmp";
      test::writeBmp(a + name, kWidth, kHeight, asColorRef(ledA(n)));
      test::writeBmp(b + name, kWidth, kHeight, asColorRef(ledB(n)));
    }
    writeFace("front.qv4", {SignKind::RollFilm, strip, 10}, {SignKind::Led, a, 60});
    // The side's two signs touch: one area of the screen shows both.
    writeFace("side.qv4", {SignKind::Led, a, 10}, {SignKind::Led, b, 10 + kWidth});
    writeFace("rear.qv4", {SignKind::RollFilm, strip, 10}, {SignKind::Hidden, "", 60});
    test::writeText(folder.file("codes.csv"),
                    u8"コード,行先名,周期,前1,前2,側1,側2,後1,後2\r\n"
                    u8"1,東京,,2,3,1,4,5,\r\n"
                    u8"2,交互,0.2,,,1/2,3/4,,\r\n");
    test::writeText(folder.file("bus.rvh"),
                    u8"[Vehicle]\r\nName=試験車\r\n[Face1]\r\nName=前面\r\nLayout=front.qv4\r\n"
                    u8"[Face2]\r\nName=側面\r\nLayout=side.qv4\r\n[Face3]\r\nName=後面\r\nLayout=rear.qv4\r\n"
                    u8"[Codes]\r\nTable=codes.csv\r\n");
    for (int group = 0; group < kSignCount; ++group) test::setPanelText(kPanelGroups[group].speedEdit, "0");
  }
  void TearDown() override {
    forgetVehicle();
    for (int sign = 0; sign < kAllSigns; ++sign) stopRoll(sign);
  }

  void writeFace(const std::string& name, const SignAt& first, const SignAt& second) {
    MemoryBoard board;
    board.width = 200;
    board.height = 120;
    for (int n = 0; n < kSignCount; ++n) {
      const SignAt& sign = n == 0 ? first : second;
      board.record.signs[n].kind = static_cast<std::uint8_t>(sign.kind);
      board.record.signs[n].picturePath = sign.picture;
      board.places[n] = SignPlace{sign.left, 10, kWidth, kHeight, sign.kind != SignKind::Hidden};
    }
    ASSERT_TRUE(writeLayoutFile(systemFiles(), folder.file(name), board));
  }

  void openByMenu() {
    test::ModalDriver driver(test::typeFileName(kOpenVehicleTitle, folder.file("bus.rvh")));
    SendMessageA(app.mainWindow, WM_COMMAND, kCmdOpenVehicle, 0);
    ASSERT_TRUE(driver.finished()) << driver.status();
    box = app.settingBoxWindow;
    ASSERT_TRUE(box);
  }

  void setCode(int code) {
    for (char digit : std::to_string(code)) click(kBoxDigitFirst + (digit - '0'));
    click(kBoxApply);
  }
  void click(int id) {
    HWND key = GetDlgItem(box, id);
    ASSERT_TRUE(IsWindowEnabled(box) && IsWindowEnabled(key)) << "key " << id << " is disabled";
    SendMessageA(key, BM_CLICK, 0, 0);
  }
  bool allStill() {
    for (int sign = 0; sign < kAllSigns; ++sign) {
      if (isRollRunning(sign)) return false;
    }
    return IsWindowEnabled(GetDlgItem(box, kBoxApply)) != FALSE;
  }

  // The screen shows `picture` in `sign`'s opening (or from it rightwards).
  static bool screenShows(int sign, const Picture& picture, int width = kWidth) {
    // Above the other windows of the program and of the session.
    SetWindowPos(faceWindow(faceOfSign(sign)), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The picture may be there at the first read: the watch then ends at once.
    test::ScreenWatch watch(test::onScreen(clipOf(sign).handle(), width, kHeight), 10000, {picture});
    return watch.served();
  }

  test::ProgramSession session;
  test::TempFolder folder;
  HWND box = nullptr;
};

RECT rectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

TEST_F(VehicleFaces, OpenFromTheMenuPlacesEachFurtherFaceBesideTheBoard) {
  openByMenu();
  const wchar_t* const names[] = {L"側面", L"後面"};
  for (int face = 1; face <= 2; ++face) {
    HWND window = app.faces[face].window;
    ASSERT_TRUE(window) << face;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STRNE("NORMAL0", className) << "a class of its own";
    EXPECT_EQ(app.mainWindow, GetWindow(window, GW_OWNER));
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    EXPECT_STREQ(names[face - 1], title) << "the face's name, in wide text";
    EXPECT_TRUE(IsWindowVisible(window));
    RECT overlap{};
    const RECT face_ = rectOf(window), main = rectOf(app.mainWindow), panel = rectOf(app.panelWindow);
    EXPECT_FALSE(IntersectRect(&overlap, &face_, &main)) << face;
    EXPECT_FALSE(IntersectRect(&overlap, &face_, &panel)) << face;
  }
  EXPECT_EQ(nullptr, app.faces[3].window) << "three faces";
  EXPECT_EQ(2, SendMessageW(GetDlgItem(box, kBoxCodes), LB_GETCOUNT, 0, 0)) << "the table's codes";
  // The close box hides a face; the setting box's menu item shows it again.
  SendMessageA(app.faces[1].window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(app.faces[1].window));
  SendMessageA(app.mainWindow, WM_COMMAND, kCmdSettingBox, 0);
  EXPECT_TRUE(IsWindowVisible(app.faces[1].window));
}

TEST_F(VehicleFaces, SettingACodeSetsEverySignOfEveryFaceOnTheScreen) {
  openByMenu();
  setCode(1);
  ASSERT_TRUE(test::pumpUntil([&] { return allStill(); }, 60000));
  EXPECT_EQ("2", numberDisplayText(0)) << "the panel shows the main window's frames";
  EXPECT_EQ("3", numberDisplayText(1));
  EXPECT_TRUE(screenShows(signOfFace(0, 0), solid(kWidth, stripColour(2))));
  EXPECT_TRUE(screenShows(signOfFace(0, 1), solid(kWidth, ledA(3))));
  EXPECT_TRUE(screenShows(signOfFace(1, 0), solid(kWidth * 2, ledA(1), ledB(4), kWidth), kWidth * 2));
  EXPECT_TRUE(screenShows(signOfFace(2, 0), solid(kWidth, stripColour(5))));
}

TEST_F(VehicleFaces, PagesAlternateInStepAndStepByHand) {
  openByMenu();
  const Picture first = solid(kWidth * 2, ledA(1), ledB(3), kWidth);
  const Picture second = solid(kWidth * 2, ledA(2), ledB(4), kWidth);
  SetWindowPos(app.faces[1].window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  test::ScreenWatch watch(test::onScreen(clipOf(signOfFace(1, 0)).handle(), kWidth * 2, kHeight), 20000,
                          {first, second, first, second});
  ASSERT_TRUE(watch.started());
  setCode(2);
  EXPECT_TRUE(watch.served()) << "the pages did not alternate on the screen";
  // Never one sign on its next page while the other is still on the last.
  const std::uint64_t mixed[] = {test::screenHash(solid(kWidth * 2, ledA(1), ledB(4), kWidth)),
                                 test::screenHash(solid(kWidth * 2, ledA(2), ledB(3), kWidth))};
  for (const auto& change : watch.changes()) {
    EXPECT_NE(mixed[0], change.second);
    EXPECT_NE(mixed[1], change.second);
  }
  // "送" shows the other page at once, on both signs.
  const int before = app.signStates[signOfFace(1, 0)].targetFrame;
  click(kBoxForward);
  EXPECT_EQ(3 - before, app.signStates[signOfFace(1, 0)].targetFrame);
  EXPECT_EQ(app.signStates[signOfFace(1, 0)].targetFrame + 2, app.signStates[signOfFace(1, 1)].targetFrame);
}

TEST_F(VehicleFaces, ThePanelDrivesTheMainWindowAndALayoutClosesTheFaces) {
  openByMenu();
  test::setPanelText(kPanelGroups[0].numberDisplay, "4");
  SendMessageA(GetDlgItem(app.panelWindow, kPanelGroups[0].start), BM_CLICK, 0, 0);
  ASSERT_TRUE(test::pumpUntil([&] { return allStill(); }, 60000));
  EXPECT_EQ(4, app.signStates[0].currentFrame);
  EXPECT_EQ(0, app.signStates[signOfFace(2, 0)].currentFrame) << "the rear's roll film stays";
  openLayoutFile(folder.file("rear.qv4"));
  EXPECT_EQ(nullptr, app.faces[1].window);
  EXPECT_EQ(nullptr, openedVehicle());
  EXPECT_EQ(0, SendMessageW(GetDlgItem(box, kBoxCodes), LB_GETCOUNT, 0, 0));
}

TEST_F(VehicleFaces, ACellThatCannotBeReadNamesItsPlaceAndNothingOpens) {
  test::writeText(folder.file("codes.csv"), u8"コード,行先名,周期,前1\r\n1,東京,,x\r\n");
  const test::MessageBoxSeen seen = [&] {
    test::MessageBoxSeen box;
    test::ModalDriver driver({test::waitFor([&] {
      HWND shown = test::threadWindow(kVehicleErrorCaption);
      if (shown) test::readAndCloseMessageBox(shown, box);
      return shown != nullptr;
    })});
    EXPECT_FALSE(openVehicleFile(folder.file("bus.rvh")));
    EXPECT_TRUE(driver.finished()) << driver.status();
    return box;
  }();
  EXPECT_NE(std::string::npos, seen.text.find("2行目4列目")) << seen.text;
  EXPECT_EQ(nullptr, app.faces[1].window);
  EXPECT_EQ(nullptr, openedVehicle());
}

}  // namespace
}  // namespace rovenza
