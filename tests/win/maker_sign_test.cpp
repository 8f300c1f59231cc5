// The sign maker: its File menu item and window, two typed rows made into
// a strip that the sign then rolls, a CSV of code page 932 text imported,
// an LED folder whose dots sit on the 3 px grid, and the strips it refuses.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "LayoutTestWindows.h"
#include "app/win32/Commands.h"
#include "maker/Lettering.h"
#include "maker/win32/MakerWindow.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Roll.h"
#include "sign_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using namespace maker_ids;
using test::ModalDriver;
using test::ProgramSession;
using test::pumpUntil;
using test::TempFolder;

HWND makerItem(int id) { return GetDlgItem(app.makerWindow, id); }

void click(int id) {
  ASSERT_TRUE(IsWindowEnabled(makerItem(id))) << id;
  SendMessageA(makerItem(id), BM_CLICK, 0, 0);
}

void type(int id, const std::string& text) { SetWindowTextA(makerItem(id), text.c_str()); }

std::string listText(int row, int column) {
  char text[256] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(makerItem(kRowList), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

// A message box of this thread captioned "幕の作成" (the maker's own window
// has that title too, but is no dialog box).
BOOL CALLBACK findMakerMessageBox(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && test::className(window) == "#32770" && test::windowText(window) == kMakerTitle) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND makerMessageBox() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findMakerMessageBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

// Runs `action`, which is expected to show the maker's message box, reads
// the box and closes it.
test::MessageBoxSeen expectMakerMessage(const std::function<void()>& action) {
  test::MessageBoxSeen seen;
  ModalDriver driver({test::waitFor([&seen] {
    HWND box = makerMessageBox();
    if (box) test::readAndCloseMessageBox(box, seen);
    return box != nullptr;
  })});
  action();
  EXPECT_TRUE(driver.finished()) << driver.status();
  return seen;
}

class Maker : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdMakeSign, 0), 0);
    ASSERT_NE(nullptr, app.makerWindow);
  }

  void typeRow(const std::string& main, const std::string& sub, const char* text, const char* background) {
    click(kAddRow);
    type(kMainText, main);
    type(kSubText, sub);
    type(kTextColour, text);
    type(kBackgroundColour, background);
  }

  // Rolls the 1st sign to `frame` at full speed and returns its opening as
  // the screen shows it (its size in `opening`); empty when the roll did not
  // end there.
  std::vector<std::uint32_t> rollTo(int frame) {
    test::setPanelText(kPanelGroups[0].speedEdit, "0");
    test::setPanelText(kPanelGroups[0].intervalEdit, "0");
    test::setPanelText(kPanelGroups[0].numberDisplay, std::to_string(frame));
    rollSign(0);
    EXPECT_TRUE(pumpUntil([] { return !isRollRunning(0); }, 120000));
    EXPECT_EQ(frame, app.signStates[0].currentFrame);
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels = test::screenPixels(clipOf(0).handle(), width, height);
    opening = SIZE{width, height};
    if (app.signStates[0].currentFrame != frame || width < 2 || height < 2) pixels.clear();
    return pixels;
  }

  ProgramSession session;
  TempFolder folder;
  SIZE opening{};
};

TEST_F(Maker, TheFileMenuOpensOneModelessWindow) {
  char text[64] = {};
  GetMenuStringA(app.fileMenu.get(), 3, text, sizeof text, MF_BYPOSITION);
  EXPECT_EQ("幕を作る(&M)...", std::string(text));
  EXPECT_EQ(UINT{kCmdMakeSign}, GetMenuItemID(app.fileMenu.get(), 3));

  HWND window = app.makerWindow;
  EXPECT_EQ("幕の作成", test::windowText(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(session.main(), GetWindow(window, GW_OWNER));
  EXPECT_TRUE(IsWindowEnabled(session.main())) << "modeless: the board goes on";
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(makerItem(kMakeStrip), WM_GETFONT, 0, 0)) != nullptr, true);
  EXPECT_EQ(BST_CHECKED, SendMessageA(makerItem(kLoadAfter), BM_GETCHECK, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(makerItem(kRemoveRow))) << "no row to remove";
  // The frame size is the chosen sign's.
  EXPECT_EQ(std::to_string(app.clip1.width()), test::windowText(makerItem(kFrameWidth)));
  EXPECT_EQ(std::to_string(app.clip1.height()), test::windowText(makerItem(kFrameHeight)));

  SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdMakeSign, 0), 0);
  EXPECT_EQ(window, app.makerWindow) << "a second command brings up the same window";
  SendMessageA(makerItem(kClose), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(nullptr, app.makerWindow);
}

TEST_F(Maker, TwoTypedRowsBecomeAStripTheSignRolls) {
  type(kFrameWidth, "124");
  type(kFrameHeight, "57");
  typeRow("駅前", "Ekimae", "#FFFFFF", "#003080");
  typeRow("営業所", "", "#FFFF00", "#800000");
  EXPECT_EQ("2", listText(1, 0));
  EXPECT_EQ("営業所", listText(1, 1));
  EXPECT_EQ("#800000", listText(1, 4));
  // Rows move: up and back down again.
  click(kRowUp);
  EXPECT_EQ("営業所", listText(0, 1));
  click(kRowDown);
  EXPECT_EQ("駅前", listText(0, 1));
  EXPECT_EQ(1, makerSelectedRow());

  // The previews: the selected row's frame, centred in its box (twice its
  // size here); the strip column, frame 0 blank on top, a line between frames.
  test::pumpPending();
  int width = 0, height = 0;
  const std::vector<std::uint32_t> preview = test::screenPixels(makerItem(kFramePreview), width, height);
  ASSERT_EQ(static_cast<std::size_t>(width) * height, preview.size());
  EXPECT_EQ(0x800000u, preview[static_cast<std::size_t>(height / 2 - 50) * width + width / 2 - 120]);
  const std::vector<std::uint32_t> column = test::screenPixels(makerItem(kStripColumn), width, height);
  auto columnAt = [&](int y) { return column[static_cast<std::size_t>(y) * width + width / 2 - 60]; };
  EXPECT_EQ(0x000000u, columnAt(2));
  EXPECT_EQ(0x003080u, columnAt(57 + 1 + 2));
  EXPECT_EQ(0x800000u, columnAt(2 * 58 + 2));

  const std::string path = folder.file("line");
  {
    ModalDriver driver(test::typeFileName("方向幕の保存", path));
    click(kMakeStrip);
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  ASSERT_TRUE(test::fileExists(path + ".bmp"));
  EXPECT_EQ(std::vector<std::string>{"line.bmp"}, test::filesIn(folder.path())) << "no temporary file left";
  EXPECT_EQ(path + ".bmp", app.layout.signs[0].picturePath);

  // Loaded: three frames, frame 0 blank, each row's colours at its frame.
  const std::vector<std::uint32_t> strip = test::pixelsOf(app.signStates[0].picture.get());
  ASSERT_EQ(124u * 57u * 3u, strip.size());
  auto at = [&strip](int x, int y) { return strip[static_cast<std::size_t>(y) * 124 + x]; };
  EXPECT_EQ(0x000000u, at(60, 28));
  EXPECT_EQ(0x003080u, at(1, 57 + 1));
  EXPECT_EQ(0x800000u, at(1, 114 + 1));
  int yellow = 0;
  for (int y = 114; y < 171; ++y) {
    for (int x = 0; x < 124; ++x) yellow += at(x, y) == 0xFFFF00u;
  }
  EXPECT_GT(yellow, 40) << "the second row's text in its colour";

  // As PNG, through the imaging component's encoder: the same pixels.
  ASSERT_TRUE(makeStripFile(folder.file("line.png")));
  EXPECT_EQ(folder.file("line.png"), app.layout.signs[0].picturePath);
  const test::Bytes png = test::readWholeFile(folder.file("line.png"));
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(0x89, png[0]);
  EXPECT_EQ('P', png[1]);
  EXPECT_EQ(strip, test::pixelsOf(app.signStates[0].picture.get()));

  // Rolled to frame 2, the opening shows the second row.
  const std::vector<std::uint32_t> shown = rollTo(2);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(0x800000u, shown[opening.cx + 1]);
  int shownYellow = 0;
  for (std::uint32_t p : shown) shownYellow += p == 0xFFFF00u;
  EXPECT_GT(shownYellow, 40);
}

TEST_F(Maker, AThousandRowsMakeAStripTheSignLoadsAndRolls) {
  std::string csv = "main,sub,text,background\r\n";
  for (int i = 1; i <= 1000; ++i) csv += "Stop " + std::to_string(i) + ",," + "#FFFFFF," + (i == 1000 ? "#123456" : "#1E3C78") + "\r\n";
  test::writeFile(folder.file("long.csv"), test::Bytes(csv.begin(), csv.end()));
  ASSERT_TRUE(importCsvFile(folder.file("long.csv")));
  ASSERT_EQ(1000u, makerRows().size());
  type(kFrameWidth, "124");
  type(kFrameHeight, "57");
  ASSERT_TRUE(makeStripFile(folder.file("long.bmp")));
  const SIZE size = test::bitmapSize(app.signStates[0].picture.get());
  EXPECT_EQ(124, size.cx);
  EXPECT_EQ(57 * 1001, size.cy);

  const std::vector<std::uint32_t> shown = rollTo(1000);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(0x123456u, shown[opening.cx + 1]) << "the last row in the opening";
}

TEST_F(Maker, ACsvOfCodePage932TextIsImported) {
  const std::string path = folder.file("line.csv");
  test::writeFile(path, test::Bytes{});
  const std::string csv = "行先,副,文字色,背景色\r\n東町車庫,Higashimachi,#FFFFFF,#1040A0\r\n\"市役所, 駅前\",,#00FF00,\r\n";
  test::writeFile(path, test::Bytes(csv.begin(), csv.end()));
  {
    ModalDriver driver(test::typeFileName("CSVファイルを開く", path));
    click(kImportCsv);
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  ASSERT_EQ(2u, makerRows().size());
  EXPECT_EQ("東町車庫", makerRows()[0].main);
  EXPECT_EQ(0x1040A0u, makerRows()[0].background);
  EXPECT_EQ("市役所, 駅前", listText(1, 1));
  EXPECT_EQ("#00FF00", listText(1, 3));
  EXPECT_EQ(0, makerSelectedRow());
  EXPECT_EQ("東町車庫", test::windowText(makerItem(kMainText)));

  // Saved again it is UTF-8 with a mark; a broken file opens nothing and names its line.
  ASSERT_TRUE(exportCsvFile(folder.file("again.csv")));
  const test::Bytes saved = test::readWholeFile(folder.file("again.csv"));
  ASSERT_GE(saved.size(), 3u);
  EXPECT_EQ(0xEF, saved[0]);
  const std::string broken = "h\r\nA,,,\r\n\"B,,,\r\n";
  test::writeFile(folder.file("broken.csv"), test::Bytes(broken.begin(), broken.end()));
  const test::MessageBoxSeen seen = expectMakerMessage([&] { EXPECT_FALSE(importCsvFile(folder.file("broken.csv"))); });
  EXPECT_EQ("3行目の引用符（\"）が閉じていません。", seen.text);
  EXPECT_EQ(2u, makerRows().size()) << "the table as it was";
}

TEST_F(Maker, AnLedFolderHasItsDotsOnTheGrid) {
  app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
  type(kFrameWidth, "96");
  type(kFrameHeight, "48");
  typeRow("急行", "", "#FFFFFF", "#000000");
  typeRow("", "", "#FFFFFF", "#000000");
  ASSERT_TRUE(makeLedFolder(folder.path()));
  EXPECT_EQ((std::vector<std::string>{"00.bmp", "01.bmp"}), test::filesIn(folder.path()));
  EXPECT_EQ(folder.path(), app.layout.signs[0].picturePath) << "loaded into the LED sign";

  const Rgb lit = 0xFF8C00;  // orange, the first LED colour
  for (const char* name : {"00.bmp", "01.bmp"}) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, folder.file(name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, bitmap) << name;
    const SIZE size = test::bitmapSize(bitmap);
    EXPECT_EQ(96, size.cx);
    EXPECT_EQ(48, size.cy);
    const std::vector<std::uint32_t> pixels = test::pixelsOf(bitmap);
    DeleteObject(bitmap);
    int litDots = 0;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 96; ++x) {
        const std::uint32_t p = pixels[static_cast<std::size_t>(y) * 96 + x];
        const bool inDot = x % kLedPitch < kLedDotSize && y % kLedPitch < kLedDotSize;
        if (!inDot) {
          ASSERT_EQ(0u, p) << name << " " << x << "," << y << ": between the dots";
          continue;
        }
        ASSERT_TRUE(p == lit || p == unlitColourOf(lit)) << name << " " << x << "," << y;
        litDots += p == lit;
      }
    }
    if (std::string(name) == "00.bmp") {
      EXPECT_GT(litDots, 40 * kLedDotSize * kLedDotSize);
    } else {
      EXPECT_EQ(0, litDots) << "an empty row is a blank frame";
    }
  }
}

TEST_F(Maker, ASaveThatFailsSaysSoAndKeepsTheOldFile) {
  typeRow("A", "", "#FFFFFF", "#000000");
  const std::string path = folder.file("kept.bmp");
  const test::Bytes old = {'o', 'l', 'd'};
  test::writeFile(path, old);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  const test::MessageBoxSeen seen = test::expectLayoutErrorBox([&] { EXPECT_FALSE(makeStripFile(path)); });
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(0u, seen.text.find(kSaveErrorFirstLine)) << seen.text;
  EXPECT_EQ(old, test::readWholeFile(path));
  EXPECT_EQ(std::vector<std::string>{"kept.bmp"}, test::filesIn(folder.path())) << "no temporary file left";
  EXPECT_TRUE(app.layout.signs[0].picturePath.empty()) << "nothing loaded";
}

TEST_F(Maker, AStripTheProgramCouldNotLoadIsRefusedBeforeAnythingIsWritten) {
  type(kFrameWidth, "8192");
  type(kFrameHeight, "8192");
  typeRow("A", "", "#FFFFFF", "#000000");
  const test::MessageBoxSeen seen = expectMakerMessage([] { click(kMakeStrip); });
  EXPECT_NE(std::string::npos, seen.text.find("作成できません")) << seen.text;
  EXPECT_EQ(nullptr, test::threadWindow("方向幕の保存")) << "no file dialog";
  EXPECT_TRUE(test::filesIn(folder.path()).empty());
}

}  // namespace
}  // namespace rovenza
