// The program's spine as start-up builds it: classes, main window, menu,
// child controls, clip windows, panel placement, window objects and rounding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/MainWindow.h"
#include "app/win32/StartUp.h"
#include "state/win32/AppState.h"
#include "state/win32/WindowObjects.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

class Spine : public ::testing::Test {
 protected:
  ProgramSession session;
};

TEST_F(Spine, MainWindowHasItsClassTitleStyleAndSize) {
  HWND main = session.main();
  ASSERT_TRUE(IsWindow(main));
  EXPECT_EQ(app.mainWindow, main);
  EXPECT_EQ("NORMAL0", test::className(main));
  EXPECT_EQ("RovenzaVer4", test::windowText(main));
  // The splash keeps the main window disabled while it shows.
  EXPECT_EQ(0x14CA0000u, static_cast<DWORD>(GetWindowLongPtrA(main, GWL_STYLE)) & 0xFFFF0000u & ~WS_DISABLED);
  EXPECT_EQ(450, app.mainRef.width());
  EXPECT_EQ(450, app.mainRef.height());
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(nullptr, GetWindow(main, GW_OWNER));
}

TEST_F(Spine, ClassesAreRegisteredWithTheirStyleAndBackground) {
  struct Expected {
    const char* name;
    HBRUSH background;
  };
  const Expected classes[] = {{"NORMALDLG", app.faceBrush.get()},
                              {"NORMAL0", app.faceBrush.get()},
                              {"MakBase1", static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
                              {"MakBase2", static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))}};
  for (const Expected& c : classes) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), c.name, &wc)) << c.name;
    EXPECT_EQ(0x000Bu, wc.style) << c.name;
    EXPECT_EQ(c.background, wc.hbrBackground) << c.name;
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ(0, wc.cbWndExtra);
    EXPECT_NE(nullptr, wc.hCursor);
  }
  WNDCLASSEXA main{};
  main.cbSize = sizeof main;
  GetClassInfoExA(GetModuleHandleA(nullptr), "NORMAL0", &main);
  EXPECT_NE(nullptr, main.hIcon) << "program icon 215";
}

struct MenuEntry {
  std::string text;
  UINT id;  // 0 for a popup item, -1 for a separator
};

std::vector<MenuEntry> readMenu(HMENU menu) {
  std::vector<MenuEntry> entries;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      entries.push_back({"-", static_cast<UINT>(-1)});
    } else {
      entries.push_back({text, info.hSubMenu ? 0u : info.wID});
    }
  }
  return entries;
}

void expectMenu(HMENU menu, const std::vector<MenuEntry>& expected) {
  const std::vector<MenuEntry> actual = readMenu(menu);
  ASSERT_EQ(expected.size(), actual.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].text, actual[i].text) << "item " << i;
    EXPECT_EQ(expected[i].id, actual[i].id) << "item " << i;
  }
}

TEST_F(Spine, MenuReadsTopToBottomAsTheProgramLists) {
  HMENU bar = GetMenu(session.main());
  ASSERT_EQ(app.menuBar.get(), bar);
  expectMenu(bar, {{"ファイル(&F)", 0}, {"設定(&S)", 0}, {"ヘルプ(&H)", 0}});
  EXPECT_EQ(app.fileMenu.get(), GetSubMenu(bar, 0));
  EXPECT_EQ(app.settingsMenu.get(), GetSubMenu(bar, 1));
  EXPECT_EQ(app.helpMenu.get(), GetSubMenu(bar, 2));
  const UINT sep = static_cast<UINT>(-1);
  expectMenu(app.fileMenu.get(),
             {{"開く(&O)...", 1089}, {"名前をつけて保存(&S)...", 1090}, {"録画(&R)...", 1095}, {"幕を作る(&M)...", 1098},
              {"車両を開く(&V)...", 1100}, {"-", sep}, {"終了(&X)", 1091}});
  expectMenu(app.settingsMenu.get(), {{"設定(&S)...", 1092},
                                      {"-", sep},
                                      {"音を鳴らす(&O)", 1096},
                                      {"表示効果(&E)", 1097},
                                      {"設定器(&B)...", 1099},
                                      {"LEDパネルへ送信(&P)...", 1105}});
  expectMenu(app.helpMenu.get(), {{"トピック(&T)...", 1093}, {"-", sep}, {"バージョン情報(&V)...", 1094}});
  for (HMENU menu : {app.fileMenu.get(), app.settingsMenu.get(), app.helpMenu.get()}) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      EXPECT_EQ(0u, GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    }
  }
}

TEST_F(Spine, ChildControlsHaveTheirIdsClassesAndStyles) {
  HWND main = session.main();
  HWND list1 = GetDlgItem(main, 1004);
  HWND list2 = GetDlgItem(main, 1005);
  ASSERT_TRUE(list1 && list2);
  for (HWND list : {list1, list2}) {
    EXPECT_EQ(0, lstrcmpiA("ListBox", test::className(list).c_str()));
    // The list box drops WS_VSCROLL itself while it has nothing to scroll.
    EXPECT_EQ(0x40000003u, static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE)) & ~WS_VSCROLL & 0xFFFF00FFu);
    EXPECT_TRUE(GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(reinterpret_cast<WPARAM>(app.mainFont.get()), static_cast<WPARAM>(SendMessageA(list, WM_GETFONT, 0, 0)));
  }
  EXPECT_EQ(list1, app.fileLists[0].handle());
  EXPECT_EQ(list2, app.fileLists[1].handle());

  // The sign windows moved into their clip windows and became bitmap statics.
  struct SignCase {
    ChildWindow& clip;
    ChildWindow& sign;
    int id;
    const char* clipClass;
    int x;
    int height;
  };
  const SignCase signs[] = {{app.clips[0], app.signWindows[0], 1000, "MakBase1", 83, 1600},
                            {app.clips[1], app.signWindows[1], 1001, "MakBase2", 221, 1022}};
  for (const SignCase& s : signs) {
    EXPECT_EQ(s.clipClass, test::className(s.clip.handle()));
    EXPECT_EQ(main, GetParent(s.clip.handle()));
    EXPECT_EQ(s.clip.handle(), GetParent(s.sign.handle()));
    EXPECT_EQ(s.sign.handle(), GetDlgItem(s.clip.handle(), s.id));
    EXPECT_EQ(nullptr, GetDlgItem(main, s.id));
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(s.sign.handle(), GWL_STYLE));
    EXPECT_EQ(0x0Eu, style & SS_TYPEMASK);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(s.x, s.sign.left());
    EXPECT_EQ(0, s.sign.top());
    EXPECT_EQ(124, s.sign.width());
    EXPECT_EQ(s.height, s.sign.height());
  }
}

TEST_F(Spine, ClipWindowsAreShownAtTheirPlaces) {
  struct ClipCase {
    ChildWindow& clip;
    int left;
  };
  for (const ClipCase& c : {ClipCase{app.clips[0], 77}, ClipCase{app.clips[1], 231}}) {
    EXPECT_TRUE(IsWindowVisible(c.clip.handle()));
    EXPECT_EQ(c.left, c.clip.left());
    EXPECT_EQ(26, c.clip.top());
    EXPECT_EQ(123, c.clip.width());
    EXPECT_EQ(57, c.clip.height());
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE),
              static_cast<DWORD>(GetWindowLongPtrA(c.clip.handle(), GWL_STYLE)) & ~WS_CLIPSIBLINGS);
    POINT origin{0, 0};
    ClientToScreen(app.mainWindow, &origin);
    EXPECT_EQ(c.left, test::windowRect(c.clip.handle()).left - origin.x);
  }
  EXPECT_EQ(1, app.templateFrames[0]);
  EXPECT_EQ(1, app.templateFrames[1]);
}

TEST_F(Spine, PanelIsCreatedOwnedAndCentredOnTheDesktop) {
  HWND panel = app.panelWindow;
  ASSERT_TRUE(IsWindow(panel));
  EXPECT_EQ("NORMALDLG", test::className(panel));
  EXPECT_EQ("ｺﾝﾄﾛｰﾙｳｨﾝﾄﾞｳ", test::windowText(panel));
  EXPECT_EQ(session.main(), GetWindow(panel, GW_OWNER));
  EXPECT_EQ(static_cast<DWORD>(WS_CAPTION), static_cast<DWORD>(GetWindowLongPtrA(panel, GWL_STYLE)) &
                                                 (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(panel, app.panelRef.handle());
  EXPECT_EQ(session.main(), app.mainRef.handle());

  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const int width = app.panelRef.width();
  const int height = app.panelRef.height();
  EXPECT_EQ(static_cast<int>((desktop.right - width) / 2.0), app.panelRef.left());
  EXPECT_EQ(static_cast<int>((desktop.bottom - height) / 2.0), app.panelRef.top());
  if (desktop.right == 1024 && width == 270) {
    EXPECT_EQ(377, app.panelRef.left());
  }
}

TEST_F(Spine, PanelOn1024WideDesktopIsAtX377) {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  ASSERT_EQ(1024, desktop.right) << "the test display is 1024 pixels wide";
  app.panelRef.setWidth(270);
  app.panelRef.centerOnScreen();
  EXPECT_EQ(377, app.panelRef.left());
  EXPECT_EQ(270, app.panelRef.width());
}

TEST_F(Spine, SplashIsCreatedOwnedByTheMainWindow) {
  HWND splash = app.splashWindow;
  ASSERT_TRUE(IsWindow(splash));
  EXPECT_EQ("NORMALDLG", test::className(splash));
  EXPECT_EQ(session.main(), GetWindow(splash, GW_OWNER));
  const LONG_PTR ex = GetWindowLongPtrA(splash, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_STATICEDGE);
}

TEST_F(Spine, FontsAreTheProgramFont) {
  for (HFONT font : {app.mainFont.get(), app.panelFont.get(), app.aboutFont.get(), app.splashFont.get(), app.formFont.get()}) {
    ASSERT_NE(nullptr, font);
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_EQ(-12, lf.lfHeight);
    EXPECT_EQ(400, lf.lfWeight);
    EXPECT_EQ(SHIFTJIS_CHARSET, lf.lfCharSet);
    EXPECT_EQ(3, lf.lfOutPrecision);
    EXPECT_EQ(2, lf.lfClipPrecision);
    EXPECT_EQ(1, lf.lfQuality);
    EXPECT_EQ(0x20, lf.lfPitchAndFamily);
    EXPECT_EQ(std::string("ＭＳ Ｐゴシック"), lf.lfFaceName);
  }
  EXPECT_NE(app.mainFont.get(), app.panelFont.get());
}

// ---- window objects ----

TEST_F(Spine, ChildSettersKeepTheOtherCoordinate) {
  ChildWindow& clip = app.clips[0];
  clip.setTop(40);
  clip.setLeft(10);
  EXPECT_EQ(10, clip.left());
  EXPECT_EQ(40, clip.top());
  clip.setLeft(15);
  clip.setTop(45);
  EXPECT_EQ(15, clip.left());
  EXPECT_EQ(45, clip.top());
  clip.setHeight(80);
  clip.setWidth(90);
  EXPECT_EQ(90, clip.width());
  EXPECT_EQ(80, clip.height());
  EXPECT_EQ(15, clip.left());
  EXPECT_EQ(45, clip.top());
  clip.setWidth(100);
  EXPECT_EQ(80, clip.height());
}

TEST_F(Spine, ChildSettersInvalidateTheParent) {
  HWND main = session.main();
  test::pumpUntil([&] { return !GetUpdateRect(main, nullptr, FALSE); }, 2000);
  ASSERT_FALSE(GetUpdateRect(main, nullptr, FALSE));
  app.clips[1].setLeft(200);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(main, &update, FALSE));
  EXPECT_EQ(test::clientRect(main).right, update.right) << "the whole parent is invalidated";
}

TEST_F(Spine, ChildSettersKeepTheStackingOrder) {
  HWND main = session.main();
  HWND firstBefore = GetWindow(main, GW_CHILD);
  app.clips[0].setLeft(5);
  app.clips[1].setWidth(60);
  app.clips[0].setHeight(30);
  EXPECT_EQ(firstBefore, GetWindow(main, GW_CHILD));
}

TEST_F(Spine, TopWindowSettersKeepTheOtherCoordinate) {
  TopWindow& main = app.mainRef;
  main.setLeft(10);
  main.setTop(20);
  main.setWidth(500);
  main.setHeight(400);
  EXPECT_EQ(10, main.left());
  EXPECT_EQ(20, main.top());
  EXPECT_EQ(500, main.width());
  EXPECT_EQ(400, main.height());
  main.setLeft(30);
  EXPECT_EQ(20, main.top());
  EXPECT_EQ(500, main.width());
  main.setHeight(300);
  EXPECT_EQ(500, main.width());
  EXPECT_EQ(30, main.left());
}

TEST(WindowObjects, NullWindowsReadZeroAndIgnoreSetters) {
  ChildWindow child;
  TopWindow top;
  child.setLeft(5);
  child.setWidth(5);
  top.setLeft(5);
  top.setHeight(5);
  EXPECT_EQ(0, child.left());
  EXPECT_EQ(0, child.width());
  EXPECT_EQ(0, top.left());
  EXPECT_EQ(0, top.height());
}

// ---- corner rounding ----

TEST_F(Spine, CornerRoundingZeroGivesThePlainRectangle) {
  HWND clip = app.clips[0].handle();
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetWindowRgn(clip, shape));
  // A rounded-rectangle region leaves out its right and bottom edge; the extra
  // pixel given to it makes the shape cover the whole 123 x 57 client area.
  RECT box{};
  GetRgnBox(app.clipRegions[0].get(), &box);
  EXPECT_EQ(0, box.left);
  EXPECT_EQ(0, box.top);
  EXPECT_EQ(123, box.right);
  EXPECT_EQ(57, box.bottom);
  EXPECT_TRUE(PtInRegion(shape, 0, 0));
  EXPECT_TRUE(PtInRegion(shape, 122, 56));
  DeleteObject(shape);
}

TEST_F(Spine, CornerRoundingCutsTheCornersAndReplacesTheKeptRegion) {
  app.layout.signs[1].cornerRound = 20;
  HRGN before = app.clipRegions[1].get();
  applyCornerRounding(1);
  EXPECT_NE(nullptr, app.clipRegions[1].get());
  (void)before;
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetWindowRgn(app.clips[1].handle(), shape));
  EXPECT_FALSE(PtInRegion(shape, 0, 0));
  EXPECT_FALSE(PtInRegion(shape, 122, 0));
  EXPECT_FALSE(PtInRegion(shape, 0, 56));
  EXPECT_TRUE(PtInRegion(shape, 61, 0));
  EXPECT_TRUE(PtInRegion(shape, 0, 28));
  EXPECT_TRUE(PtInRegion(shape, 61, 28));
  // The 1st sign keeps its own square shape.
  HRGN other = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(app.clips[0].handle(), other);
  EXPECT_TRUE(PtInRegion(other, 0, 0));
  DeleteObject(other);

  // A size change reshapes only when rounding runs again.
  app.clips[1].setWidth(60);
  RECT box{};
  GetRgnBox(app.clipRegions[1].get(), &box);
  EXPECT_EQ(123, box.right);
  applyCornerRounding(1);
  GetRgnBox(app.clipRegions[1].get(), &box);
  EXPECT_EQ(60, box.right);
  DeleteObject(shape);
}

TEST_F(Spine, CornerRoundingWithAnotherIndexOnlyRepaints) {
  HRGN kept0 = app.clipRegions[0].get();
  HRGN kept1 = app.clipRegions[1].get();
  app.layout.signs[0].cornerRound = 30;
  applyCornerRounding(2);
  applyCornerRounding(-1);
  EXPECT_EQ(kept0, app.clipRegions[0].get());
  EXPECT_EQ(kept1, app.clipRegions[1].get());
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(app.clips[0].handle(), shape);
  EXPECT_TRUE(PtInRegion(shape, 0, 0));
  DeleteObject(shape);
}

// ---- main window procedure ----

TEST_F(Spine, UnknownCommandIdsAreIgnored) {
  HWND main = session.main();
  for (WPARAM id : {0u, 1000u, 1088u, 1200u, 40000u, 0xFFFFu}) {
    EXPECT_EQ(0, SendMessageA(main, WM_COMMAND, id, 0));
  }
  test::pumpPending();
  EXPECT_TRUE(IsWindow(main));
  EXPECT_TRUE(IsWindowEnabled(main) || IsWindow(app.splashWindow));
  EXPECT_EQ("RovenzaVer4", test::windowText(main));
}

TEST_F(Spine, BackgroundBitmapIsDrawnAtTheClientOrigin) {
  HWND main = session.main();
  // A small red bitmap: the painted client area shows it at (0, 0) and the
  // button face beside it.
  HDC screen = GetDC(nullptr);
  HBITMAP red = CreateCompatibleBitmap(screen, 20, 10);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, red);
  RECT all{0, 0, 20, 10};
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(memory, &all, brush);
  DeleteObject(brush);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  app.backgroundBitmap.reset(red);
  InvalidateRect(main, nullptr, TRUE);
  UpdateWindow(main);

  HDC dc = GetDC(main);
  const COLORREF inside = GetPixel(dc, 5, 5);
  const COLORREF outside = GetPixel(dc, 30, 5);
  ReleaseDC(main, dc);
  EXPECT_EQ(RGB(255, 0, 0), inside);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), outside);
}

TEST(ReleaseSequence, DestroyingTheMainWindowReleasesSharedObjectsAndQuits) {
  ProgramSession session;
  HWND main = session.main();
  HWND panel = app.panelWindow;
  HFONT font = app.mainFont.get();
  ASSERT_TRUE(IsWindow(panel));
  DestroyWindow(main);
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_FALSE(app.menuBar.valid());
  EXPECT_EQ(nullptr, app.mainFont.get());
  EXPECT_EQ(nullptr, app.faceBrush.get());
  EXPECT_EQ(0, GetObjectType(font)) << "the font was deleted";
  EXPECT_TRUE(test::pumpUntil([] { return test::quitCode() == 0; }, 2000));
}

// What the panel saw of the shared objects as it went.
struct PanelEnd {
  WNDPROC procedure = nullptr;
  std::vector<HGDIOBJ> shared;
  bool allStood = false;
};
PanelEnd panelEnd;

LRESULT CALLBACK watchPanel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    panelEnd.allStood = true;
    for (HGDIOBJ object : panelEnd.shared) panelEnd.allStood = panelEnd.allStood && GetObjectType(object) != 0;
  }
  return CallWindowProcA(panelEnd.procedure, window, message, wParam, lParam);
}

TEST(ReleaseSequence, ThePanelGoesFirstThenTheBackgroundFontsAndBrush) {
  ProgramSession session;
  HDC screen = GetDC(nullptr);
  app.backgroundBitmap.reset(CreateCompatibleBitmap(screen, 4, 4));
  ReleaseDC(nullptr, screen);
  panelEnd = PanelEnd{};
  panelEnd.shared = {app.backgroundBitmap.get(), app.faceBrush.get()};
  for (ScopedFont AppState::*font : kWindowFonts) panelEnd.shared.push_back((app.*font).get());
  panelEnd.procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(app.panelWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchPanel)));
  DestroyWindow(session.main());
  EXPECT_TRUE(panelEnd.allStood);
  for (HGDIOBJ object : panelEnd.shared) EXPECT_EQ(0u, GetObjectType(object)) << object;
  EXPECT_EQ(nullptr, app.backgroundBitmap.get());
  for (ScopedFont AppState::*font : kWindowFonts) EXPECT_EQ(nullptr, (app.*font).get());
}

}  // namespace
}  // namespace rovenza
