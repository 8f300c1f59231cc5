// The sign maker: its File menu item and window, two typed rows made into
// a strip that the sign then rolls, a CSV of code page 932 text imported,
// an LED folder whose dots sit on the look's grid, the strips it refuses;
// text of any script typed and pasted kept to the CSV, the save dialogs'
// extension and overwrite question, its keyboard; a vehicle's pictures and
// code table written from the one table; an LED folder for a panel.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "LayoutTestWindows.h"
#include "app/win32/Commands.h"
#include "common/win32/WideText.h"
#include "feed/PanelSettings.h"
#include "feed/win32/PanelFeedWindow.h"
#include "layout/LayoutMessages.h"
#include "layout/MemoryBoard.h"
#include "layout/Qv4File.h"
#include "layout/win32/SystemFiles.h"
#include "maker/Lettering.h"
#include "maker/win32/MakerPanel.h"
#include "maker/win32/MakerVehicle.h"
#include "maker/win32/MakerWindow.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignLook.h"
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

// UTF-8 text, as the table keeps it.
std::string utf8(const char* text) { return text; }

struct OwnedBox {
  HWND owner;
  HWND box;
};

BOOL CALLBACK findOwnedBox(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<OwnedBox*>(param);
  if (IsWindowVisible(window) && test::className(window) == "#32770" && GetWindow(window, GW_OWNER) == find->owner) {
    find->box = window;
    return FALSE;
  }
  return TRUE;
}

// A dialog box of this thread owned by `owner`: the maker's file dialog, or
// that dialog's question.
HWND boxOwnedBy(HWND owner) {
  OwnedBox find{owner, nullptr};
  if (owner) EnumThreadWindows(GetCurrentThreadId(), findOwnedBox, reinterpret_cast<LPARAM>(&find));
  return find.box;
}

HWND fileDialog() { return boxOwnedBy(app.makerWindow); }

void press(HWND box, int button) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
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

std::vector<std::string> sortedFilesIn(const std::string& folder) {
  std::vector<std::string> names = test::filesIn(folder);
  std::sort(names.begin(), names.end());
  return names;
}

// A BMP file's size and pixels (top row first); 0 x 0 when it is none.
std::vector<std::uint32_t> bitmapFile(const std::string& path, SIZE& size) {
  HBITMAP bitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  size = SIZE{};
  if (!bitmap) return {};
  size = test::bitmapSize(bitmap);
  std::vector<std::uint32_t> pixels = test::pixelsOf(bitmap);
  DeleteObject(bitmap);
  return pixels;
}

// Answers the maker's next message box with `button` and keeps its text (a
// box answered before, which may not have gone yet, is not the next one).
ModalDriver::Step answerMaker(int button, std::string& text) {
  return test::waitFor([button, &text] {
    static HWND answered = nullptr;
    HWND box = makerMessageBox();
    if (!box || box == answered) return false;
    answered = box;
    text = test::windowText(GetDlgItem(box, 0xFFFF));
    press(box, button);
    return true;
  });
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
  EXPECT_EQ(std::to_string(app.clips[0].width()), test::windowText(makerItem(kFrameWidth)));
  EXPECT_EQ(std::to_string(app.clips[0].height()), test::windowText(makerItem(kFrameHeight)));

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

TEST_F(Maker, The999RowsThePanelReachesMakeAStripTheSignLoadsAndRolls) {
  std::string csv = "main,sub,text,background\r\n";
  for (int i = 1; i <= 999; ++i) csv += "Stop " + std::to_string(i) + ",," + "#FFFFFF," + (i == 999 ? "#123456" : "#1E3C78") + "\r\n";
  test::writeFile(folder.file("long.csv"), test::Bytes(csv.begin(), csv.end()));
  ASSERT_TRUE(importCsvFile(folder.file("long.csv")));
  ASSERT_EQ(999u, makerRows().size());
  EXPECT_FALSE(IsWindowEnabled(makerItem(kAddRow))) << "the table is full";
  type(kFrameWidth, "124");
  type(kFrameHeight, "57");
  ASSERT_TRUE(makeStripFile(folder.file("long.bmp")));
  const SIZE size = test::bitmapSize(app.signStates[0].picture.get());
  EXPECT_EQ(124, size.cx);
  EXPECT_EQ(57 * 1000, size.cy);

  const std::vector<std::uint32_t> shown = rollTo(999);
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
  EXPECT_EQ(utf8(u8"東町車庫"), makerRows()[0].main);
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

TEST_F(Maker, AnLedFolderStartsBlankAndHasItsDotsOnTheLooksGrid) {
  app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
  setSignLook(false, 4);  // the pitch a user wrote into the look's file, the look itself off
  type(kFrameWidth, "96");
  type(kFrameHeight, "48");
  typeRow("急行", "", "#FFFFFF", "#000000");
  typeRow("", "", "#FFFFFF", "#000000");
  ASSERT_TRUE(makeLedFolder(folder.path()));
  setSignLook(false, kDefaultDotPitch);
  EXPECT_EQ((std::vector<std::string>{"00.bmp", "01.bmp", "02.bmp"}), test::filesIn(folder.path()));
  EXPECT_EQ(folder.path(), app.layout.signs[0].picturePath) << "loaded into the LED sign";

  const Rgb lit = 0xFF8C00;  // orange, the first LED colour
  const int pitch = 4;
  for (const char* name : {"00.bmp", "01.bmp", "02.bmp"}) {
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
        const bool inDot = x % pitch < ledDotSize(pitch) && y % pitch < ledDotSize(pitch);
        if (!inDot) {
          ASSERT_EQ(0u, p) << name << " " << x << "," << y << ": between the dots";
          continue;
        }
        ASSERT_TRUE(p == lit || p == unlitColourOf(lit)) << name << " " << x << "," << y;
        litDots += p == lit;
      }
    }
    if (std::string(name) == "01.bmp") {
      EXPECT_GT(litDots, 40 * ledDotSize(pitch) * ledDotSize(pitch));
    } else {
      EXPECT_EQ(0, litDots) << name << ": frame 0, and an empty row, are blank";
    }
  }

  // Made again with one row: the question, then exactly the new set.
  click(kRemoveRow);
  test::MessageBoxSeen seen;
  ModalDriver driver({test::waitFor([&seen] {
    HWND box = makerMessageBox();
    if (!box) return false;
    seen.seen = true;
    seen.text = test::windowText(GetDlgItem(box, 0xFFFF));
    press(box, IDYES);
    return true;
  })});
  ASSERT_TRUE(makeLedFolder(folder.path()));
  EXPECT_TRUE(driver.finished()) << driver.status();
  EXPECT_NE(std::string::npos, seen.text.find("3個あります")) << seen.text;
  EXPECT_EQ((std::vector<std::string>{"00.bmp", "01.bmp"}), test::filesIn(folder.path()));
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

TEST_F(Maker, TextOfAnyScriptTypedOrPastedIsKeptToTheCsv) {
  click(kAddRow);
  // Typed: a wave dash and a bus (a surrogate pair), through the program's own message handling.
  HWND main = makerItem(kMainText);
  SetFocus(main);
  for (wchar_t c : {L'\x301C', L'\xD83D', L'\xDE8C'}) PostMessageW(main, WM_CHAR, c, 1);
  test::pumpPending();
  // Pasted: an em dash, a minus sign, a yen sign, Korean and Chinese.
  const std::wstring pasted = L"\x2014\x2212\x00A5\xD55C\xAD6D\x4E2D\x6587";
  ASSERT_TRUE(OpenClipboard(app.makerWindow));
  EmptyClipboard();
  const std::size_t bytes = (pasted.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(block), pasted.c_str(), bytes);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  SendMessageW(makerItem(kSubText), WM_PASTE, 0, 0);

  // (Texts code page 932 lacks stay out of the test macros, which quote their arguments in it.)
  const std::string typed = u8"〜🚌";
  const std::string pastedText = u8"—−¥한국中文";
  const std::string line = u8"〜🚌,—−¥한국中文,#FFFFFF,#000000";
  ASSERT_EQ(1u, makerRows().size());
  EXPECT_EQ(typed, makerRows()[0].main);
  EXPECT_EQ(pastedText, makerRows()[0].sub);
  wchar_t shown[64] = {};
  LVITEMW item{};
  item.iSubItem = 1;
  item.pszText = shown;
  item.cchTextMax = 64;
  SendMessageW(makerItem(kRowList), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(L"\x301C\xD83D\xDE8C"), std::wstring(shown));

  // Saved through the dialog: "table" typed is "table.csv", and replacing it is asked first.
  const std::string csv = folder.file("table.csv");
  const test::Bytes old = {'o', 'l', 'd'};
  test::writeFile(csv, old);
  for (int answer : {IDNO, IDYES}) {
    bool asked = false;
    std::vector<ModalDriver::Step> steps = test::typeFileName("CSVファイルの保存", folder.file("table"));
    steps.push_back(test::waitFor([&asked, answer] {
      HWND box = boxOwnedBy(fileDialog());
      if (!box) return false;
      asked = true;
      press(box, answer);
      return true;
    }));
    if (answer == IDNO) {
      steps.push_back(test::waitFor([] { return boxOwnedBy(fileDialog()) == nullptr; }));
      steps.push_back(test::doOnce([] { press(fileDialog(), IDCANCEL); }));
    }
    ModalDriver driver(steps);
    click(kExportCsv);
    EXPECT_TRUE(driver.finished()) << driver.status();
    EXPECT_TRUE(asked) << answer;
    if (answer == IDNO) {
      EXPECT_EQ(old, test::readWholeFile(csv));
    }
  }
  const test::Bytes saved = test::readWholeFile(csv);
  const std::string text(saved.begin(), saved.end());
  EXPECT_NE(std::string::npos, text.find(line)) << text;
  EXPECT_EQ(std::vector<std::string>{"table.csv"}, test::filesIn(folder.path()));

  // The strip's dialog: the PNG filter chosen, "line1" is written as line1.png.
  type(kFrameWidth, "64");
  type(kFrameHeight, "32");
  std::vector<ModalDriver::Step> steps = {test::waitFor([] { return test::threadWindow("方向幕の保存") != nullptr; }),
                                          test::doOnce([] {
                                            HWND dialog = test::threadWindow("方向幕の保存");
                                            HWND types = GetDlgItem(dialog, 0x470);
                                            SendMessageA(types, CB_SETCURSEL, 1, 0);
                                            // As a choice with the mouse tells the dialog.
                                            for (WORD code : {CBN_SELENDOK, CBN_SELCHANGE}) {
                                              SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, code),
                                                           reinterpret_cast<LPARAM>(types));
                                            }
                                          })};
  for (const ModalDriver::Step& step : test::typeFileName("方向幕の保存", folder.file("line1"))) steps.push_back(step);
  {
    ModalDriver driver(steps);
    click(kMakeStrip);
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  const test::Bytes png = test::readWholeFile(folder.file("line1.png"));
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ('P', png[1]);
  EXPECT_FALSE(test::fileExists(folder.file("line1.bmp")));
}

TEST_F(Maker, TabAltAndEscWorkTheWindowAndClosingAsksAboutUnwrittenChanges) {
  auto key = [](UINT message, WPARAM code, LPARAM flags) {
    PostMessageW(GetFocus(), message, code, flags);
    test::pumpPending();
  };
  click(kAddRow);
  SetFocus(makerItem(kMainText));
  key(WM_KEYDOWN, VK_TAB, 1);
  EXPECT_EQ(makerItem(kSubText), GetFocus()) << "Tab";
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  key(WM_KEYDOWN, VK_TAB, 1);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(makerItem(kMainText), GetFocus()) << "Shift+Tab";
  key(WM_SYSCHAR, 'g', 1 | (1 << 29));
  EXPECT_EQ(makerItem(kBackgroundColour), GetFocus()) << "Alt+G, the letter of 背景色";
  key(WM_SYSCHAR, 'w', 1 | (1 << 29));
  EXPECT_EQ(makerItem(kFrameWidth), GetFocus()) << "Alt+W, the letter of 幅";

  // Esc with a row written nowhere: asked, and No keeps the window.
  HWND window = app.makerWindow;
  for (int answer : {IDNO, IDYES}) {
    bool asked = false;
    ModalDriver driver({test::waitFor([&asked, answer] {
      HWND box = makerMessageBox();
      if (!box) return false;
      asked = true;
      press(box, answer);
      return true;
    })});
    SetFocus(makerItem(kMainText));
    key(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(driver.finished()) << driver.status();
    EXPECT_TRUE(asked);
    EXPECT_EQ(answer == IDNO, IsWindow(window) != FALSE) << answer;
  }

  // Written to a CSV file, the table closes by its close box without a question.
  SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdMakeSign, 0), 0);
  typeRow("A", "", "#FFFFFF", "#000000");
  ASSERT_TRUE(exportCsvFile(folder.file("a.csv")));
  SendMessageW(app.makerWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(nullptr, app.makerWindow);
}

TEST_F(Maker, ACsvOfMillionsOfEmptyLinesOpensAsAnEmptyTable) {
  test::writeFile(folder.file("empty.csv"), test::Bytes(64u << 20, '\n'));
  ASSERT_TRUE(importCsvFile(folder.file("empty.csv")));
  EXPECT_TRUE(makerRows().empty());
}

TEST_F(Maker, AVehiclesPicturesAndCodeTableAreWrittenFromTheOneTable) {
  // A bus: the front face a roll film and an LED route number, the side an
  // LED destination (its folder not made yet) and a hidden sign.
  auto layout = [&](const char* name, std::uint8_t kind2, int width2, const std::string& path2) {
    MemoryBoard board;
    board.record.signs[0].kind = static_cast<std::uint8_t>(std::string(name) == "front.qv4" ? SignKind::RollFilm : SignKind::Led);
    board.record.signs[0].picturePath = folder.file(std::string(name) == "front.qv4" ? "front.bmp" : "side");
    board.places[0] = SignPlace{0, 0, std::string(name) == "front.qv4" ? 120 : 96, 40, true};
    board.record.signs[1].kind = kind2;
    board.record.signs[1].picturePath = path2;
    board.places[1] = SignPlace{0, 50, width2, 24, true};
    ASSERT_TRUE(writeLayoutFile(systemFiles(), folder.file(name), board));
  };
  layout("front.qv4", static_cast<std::uint8_t>(SignKind::Led), 60, folder.file("route"));
  layout("side.qv4", static_cast<std::uint8_t>(SignKind::Hidden), 60, "");
  const std::string head = u8"[Vehicle]\r\nName=Bus\r\n[Face1]\r\nName=前面\r\nLayout=front.qv4\r\n"
                           u8"[Face2]\r\nName=側面\r\nLayout=side.qv4\r\n[Codes]\r\nTable=codes.csv\r\n";
  test::writeFile(folder.file("bus.rvh"), test::Bytes(head.begin(), head.end()));
  ASSERT_TRUE(CreateDirectoryA(folder.file("route").c_str(), nullptr));
  for (const char* name : {"00.bmp", "01.bmp", "02.bmp", "03.bmp", "notes.txt"}) {
    test::writeFile(folder.file("route\\") + name, test::Bytes{'o', 'l', 'd'});
  }
  test::writeFile(folder.file("codes.csv"), test::Bytes{'o', 'l', 'd'});
  setSignLook(false, kDefaultDotPitch);
  typeRow("駅前", "Ekimae", "#FFFFFF", "#003080");
  typeRow("Depot", "", "#FFFF00", "#800000");

  // Through the button and the file dialog; No to replacing keeps everything.
  std::string question;
  {
    std::vector<ModalDriver::Step> steps = test::typeFileName("車両ファイルを開く", folder.file("bus.rvh"));
    steps.push_back(answerMaker(IDNO, question));
    ModalDriver driver(steps);
    click(kMakeVehicle);
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  EXPECT_NE(std::string::npos, question.find(folder.file("route") + "」のLEDのコマの画像4個")) << question;
  EXPECT_NE(std::string::npos, question.find(folder.file("codes.csv"))) << question;
  EXPECT_EQ(std::string::npos, question.find("front.bmp")) << "not there yet: " << question;
  const std::vector<std::string> before = {"bus.rvh", "codes.csv", "front.qv4", "route", "side.qv4"};
  EXPECT_EQ(before, sortedFilesIn(folder.path()));
  EXPECT_EQ(5u, test::filesIn(folder.file("route")).size());

  // Yes: every shown sign's pictures at its own size and kind, and the table.
  std::string done;
  {
    ModalDriver driver({answerMaker(IDYES, question), answerMaker(IDOK, done)});
    EXPECT_TRUE(makeVehiclePictures(folder.file("bus.rvh")));
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  EXPECT_EQ(0u, done.find("車両の画像3個とコード表を作成しました。")) << done;
  const std::vector<std::string> after = {"bus.rvh", "codes.csv", "front.bmp", "front.qv4", "route", "side", "side.qv4"};
  EXPECT_EQ(after, sortedFilesIn(folder.path())) << "nothing temporary left";
  SIZE size{};
  const std::vector<std::uint32_t> strip = bitmapFile(folder.file("front.bmp"), size);
  EXPECT_EQ(120, size.cx);
  EXPECT_EQ(40 * 3, size.cy) << "frame 0 blank, then a frame a row";
  ASSERT_EQ(120u * 120u, strip.size());
  EXPECT_EQ(0x003080u, strip[static_cast<std::size_t>(40) * 120 + 1]);
  EXPECT_EQ(0x800000u, strip[static_cast<std::size_t>(80) * 120 + 1]);
  const std::vector<std::string> frames = {"00.bmp", "01.bmp", "02.bmp"};
  EXPECT_EQ((std::vector<std::string>{"00.bmp", "01.bmp", "02.bmp", "notes.txt"}), sortedFilesIn(folder.file("route")));
  EXPECT_EQ(frames, sortedFilesIn(folder.file("side")));
  for (const auto& [sign, width, height] : {std::tuple{"route", 60, 24}, std::tuple{"side", 96, 40}}) {
    for (const std::string& frame : frames) {
      bitmapFile(folder.file(sign) + "\\" + frame, size);
      EXPECT_EQ(width, size.cx) << sign << frame;
      EXPECT_EQ(height, size.cy) << sign << frame;
    }
  }
  const test::Bytes table = test::readWholeFile(folder.file("codes.csv"));
  EXPECT_EQ(std::string(u8"\xEF\xBB\xBFコード,行先名,周期,前面(1),前面(2),側面(1),側面(2)\r\n"
                        u8"1,駅前,,1,1,1,\r\n2,Depot,,2,2,2,\r\n"),
            std::string(table.begin(), table.end()));

  // A table on another computer is asked about first; No writes nothing.
  const std::string farHead = u8"[Face1]\r\nLayout=front.qv4\r\n[Codes]\r\nTable=\\\\faraway\\share\\codes.csv\r\n";
  test::writeFile(folder.file("far.rvh"), test::Bytes(farHead.begin(), farHead.end()));
  const test::Bytes stripBytes = test::readWholeFile(folder.file("front.bmp"));
  std::string refused;
  {
    ModalDriver driver({test::waitFor([] {
                          HWND box = test::threadWindow(kNetworkQuestionCaption);
                          if (box) press(box, IDNO);
                          return box != nullptr;
                        }),
                        answerMaker(IDOK, refused)});
    EXPECT_FALSE(makeVehiclePictures(folder.file("far.rvh")));
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  EXPECT_EQ(0u, refused.find("「\\\\faraway\\share\\codes.csv」は開かないことにした場所")) << refused;
  EXPECT_EQ(stripBytes, test::readWholeFile(folder.file("front.bmp")));
}

TEST_F(Maker, APanelFolderHoldsTheDotsThePanelIsSentAtItsCap) {
  setSignLook(false, kDefaultDotPitch);
  type(kFrameWidth, "96");
  type(kFrameHeight, "24");
  typeRow("急行", "", "#FFFFFF", "#000000");
  EXPECT_EQ("128", test::windowText(makerItem(kPanelDotsAcross)));
  EXPECT_EQ("32", test::windowText(makerItem(kPanelDotsDown)));
  type(kPanelDotsAcross, "300");
  type(kPanelDotsDown, "300");
  const test::MessageBoxSeen refused = expectMakerMessage([&] { EXPECT_FALSE(makePanelFolder(folder.path())); });
  EXPECT_EQ(panelSettingMessage(PanelSettingFault::Size), refused.text);
  EXPECT_TRUE(test::filesIn(folder.path()).empty());

  // The 1st sign's panel is kept at a quarter of its brightness.
  const std::string panelFile = folder.file("panel.ini");
  setPanelFeedFile(panelFile);
  WritePrivateProfileStringA("Sign1", "Cap", "25", panelFile.c_str());
  test::TempFolder card(folder.path());
  type(kPanelDotsAcross, "32");
  type(kPanelDotsDown, "8");
  ASSERT_TRUE(makePanelFolder(card.path()));
  setPanelFeedFile("");
  EXPECT_EQ((std::vector<std::string>{"00.bmp", "01.bmp"}), sortedFilesIn(card.path()));
  EXPECT_TRUE(app.layout.signs[0].picturePath.empty()) << "a panel's folder is not the sign's";
  const Rgb orangeAtAQuarter = 0x402300;
  for (const char* name : {"00.bmp", "01.bmp"}) {
    SIZE size{};
    const std::vector<std::uint32_t> dots = bitmapFile(card.file(name), size);
    EXPECT_EQ(32, size.cx) << name;
    EXPECT_EQ(8, size.cy) << name;
    int lit = 0;
    for (const std::uint32_t dot : dots) {
      ASSERT_TRUE(dot == 0 || dot == orangeAtAQuarter) << name << " " << std::hex << dot;
      lit += dot != 0;
    }
    EXPECT_EQ(std::string(name) == "00.bmp", lit == 0) << name << " " << lit;
    if (lit > 0) {
      EXPECT_GT(lit, 20) << name;
    }
  }
}

}  // namespace
}  // namespace rovenza
