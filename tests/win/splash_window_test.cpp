// The start-up splash: its window, controls, region, place, timer, painting,
// and how it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "about/OsName.h"
#include "about/win32/SplashWindow.h"
#include "resources/resource.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

class Splash : public ::testing::Test {
 protected:
  ProgramSession session;
};

RECT childPlace(HWND child) {
  RECT rect = test::windowRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(Splash, IsAnOwnedTopmostWindowWithoutTitle) {
  HWND splash = app.splashWindow;
  ASSERT_TRUE(IsWindow(splash));
  EXPECT_EQ("NORMALDLG", test::className(splash));
  EXPECT_EQ("", test::windowText(splash));
  EXPECT_EQ(session.main(), GetWindow(splash, GW_OWNER));
  EXPECT_TRUE(IsWindowVisible(splash));
  const DWORD ex = static_cast<DWORD>(GetWindowLongPtrA(splash, GWL_EXSTYLE));
  EXPECT_EQ(static_cast<DWORD>(WS_EX_STATICEDGE | WS_EX_TOPMOST), ex & (WS_EX_STATICEDGE | WS_EX_TOPMOST));
  // Created with style 0: the system adds only the caption (and clipping of siblings).
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(splash, GWL_STYLE));
  EXPECT_EQ(0u, style & (WS_POPUP | WS_CHILD | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  const RECT outer = test::windowRect(splash);
  EXPECT_EQ(456, outer.right - outer.left);
  EXPECT_EQ(295, outer.bottom - outer.top);
}

TEST_F(Splash, RegionCutsAwayCaptionAndFrame) {
  HWND splash = app.splashWindow;
  const RECT client = test::clientRect(splash);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(SIMPLEREGION, GetWindowRgn(splash, region));
  RECT box{};
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_EQ(3, box.left);
  EXPECT_EQ(caption + 3, box.top);
  EXPECT_EQ(client.right + 3, box.right);
  EXPECT_EQ(client.bottom + caption + 3, box.bottom);
  EXPECT_NE(nullptr, app.splash.splashRegion);
}

TEST_F(Splash, WindowOriginIsCentredByItsClientSize) {
  HWND splash = app.splashWindow;
  const RECT client = test::clientRect(splash);
  const RECT desktop = test::clientRect(GetDesktopWindow());
  const RECT outer = test::windowRect(splash);
  EXPECT_EQ((desktop.right - client.right) / 2, outer.left);
  EXPECT_EQ((desktop.bottom - client.bottom) / 2, outer.top);
  if (desktop.right == 1024 && desktop.bottom == 768) {
    // The test display: whatever the frame, the origin is inside the desktop's middle third.
    EXPECT_GT(outer.left, 250);
    EXPECT_LT(outer.left, 300);
  }
}

TEST_F(Splash, ControlsAreCreatedInOrderWithTheirPlacesAndFont) {
  struct Expected {
    int id;
    const char* className;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
  };
  const Expected controls[] = {
      {1002, "Static", 0x50000000, WS_EX_STATICEDGE, 11, 241, 421, 17},
      {1003, "Static", 0x50000000, 0, 33, 243, 192, 13},
      {1032, "Static", 0x50000000, 0, 240, 243, 174, 12},
      {1035, "Static", 0x50000000, 0, 11, 211, 432, 27},
      {1006, "Button", 0x50000007, 0, 4, 8, 438, 256},
  };
  HWND splash = app.splashWindow;
  std::vector<int> order;
  for (HWND child = GetWindow(splash, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    order.push_back(GetDlgCtrlID(child));
  }
  EXPECT_EQ((std::vector<int>{1002, 1003, 1032, 1035, 1006}), order);
  for (const Expected& c : controls) {
    HWND control = GetDlgItem(splash, c.id);
    ASSERT_NE(nullptr, control) << c.id;
    EXPECT_EQ(0, lstrcmpiA(c.className, test::className(control).c_str())) << c.id;
    EXPECT_EQ(c.style, static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE))) << c.id;
    EXPECT_EQ(c.exStyle, static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE)) & ~WS_EX_NOPARENTNOTIFY)
        << c.id;
    const RECT place = childPlace(control);
    EXPECT_EQ(c.x, place.left) << c.id;
    EXPECT_EQ(c.y, place.top) << c.id;
    EXPECT_EQ(c.width, place.right - place.left) << c.id;
    EXPECT_EQ(c.height, place.bottom - place.top) << c.id;
    EXPECT_EQ(reinterpret_cast<LRESULT>(app.splashFont.get()), SendMessageA(control, WM_GETFONT, 0, 0)) << c.id;
  }
  EXPECT_EQ("", test::windowText(GetDlgItem(splash, 1002)));
  EXPECT_EQ("", test::windowText(GetDlgItem(splash, 1006)));
  EXPECT_NE(std::string::npos, test::windowText(GetDlgItem(splash, 1003)).find("Corvane"));
  EXPECT_NE(std::string::npos, test::windowText(GetDlgItem(splash, 1032)).find("Vellumark"));
  EXPECT_FALSE(test::windowText(GetDlgItem(splash, 1035)).empty());
}

TEST_F(Splash, NoticeLineWrapsOverItsTwoLines) {
  HWND notice = GetDlgItem(app.splashWindow, 1035);
  const std::string text = test::windowText(notice);
  HDC dc = GetDC(notice);
  HGDIOBJ old = SelectObject(dc, app.splashFont.get());
  RECT oneLine{0, 0, 432, 0};
  DrawTextA(dc, text.c_str(), -1, &oneLine, DT_CALCRECT | DT_SINGLELINE);
  RECT wrapped{0, 0, 432, 0};
  const int height = DrawTextA(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(notice, dc);
  EXPECT_GT(oneLine.right, 432) << "one sentence longer than one line";
  EXPECT_EQ(2 * metrics.tmHeight, height) << "and no longer than two";
  EXPECT_LE(height, 27 + metrics.tmExternalLeading);
}

TEST_F(Splash, DisablesMainWindowAndPanelWhileItShows) {
  EXPECT_TRUE(IsWindow(app.splashWindow));
  EXPECT_FALSE(IsWindowEnabled(session.main()));
  EXPECT_FALSE(IsWindowEnabled(app.panelWindow));
}

TEST_F(Splash, TimerIs200AndOtherTimerIdsDoNothing) {
  EXPECT_EQ(kSplashTimerId, app.splash.splashTimer);
  EXPECT_EQ(200u, app.splash.splashTimer);
  HWND splash = app.splashWindow;
  SendMessageA(splash, WM_TIMER, 201, 0);
  test::pumpPending();
  EXPECT_TRUE(IsWindow(splash));
  EXPECT_FALSE(IsWindowEnabled(session.main()));
  SendMessageA(splash, WM_TIMER, app.splash.splashTimer, 0);
  EXPECT_FALSE(IsWindow(splash));
  EXPECT_TRUE(IsWindowEnabled(session.main()));
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
}

TEST(SplashTimer, GoesByItselfAfterFiveSecondsAndEnablesTheWindows) {
  const ULONGLONG start = GetTickCount64();
  ProgramSession session;
  HWND splash = app.splashWindow;
  ASSERT_TRUE(IsWindow(splash));
  ASSERT_TRUE(test::pumpUntil([&] { return !IsWindow(splash); }, 20000));
  const ULONGLONG shown = GetTickCount64() - start;
  EXPECT_GE(shown, 4950u) << "shown " << shown << " ms";
  EXPECT_TRUE(IsWindowEnabled(session.main()));
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  EXPECT_EQ(nullptr, app.splashWindow);
}

TEST_F(Splash, CloseRequestEndsItAndEnablesTheWindows) {
  HWND splash = app.splashWindow;
  PostMessageA(splash, WM_CLOSE, 0, 0);
  ASSERT_TRUE(test::pumpUntil([&] { return !IsWindow(splash); }));
  EXPECT_TRUE(IsWindowEnabled(session.main()));
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  // A timer message that was already on its way finds no window.
  EXPECT_EQ(nullptr, app.splashWindow);
}

TEST_F(Splash, ControlColourIsTransparentWithWindowText) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, RGB(1, 2, 3));
  const LRESULT brush = SendMessageA(app.splashWindow, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(GetDlgItem(app.splashWindow, 1003)));
  EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)), brush);
  EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), GetTextColor(dc));
  DeleteDC(dc);
}

// A 32-bit top-down picture to paint into and read back.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF at(int x, int y) const {
    GdiFlush();
    const DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Bounding box of the pixels of one colour; empty (left > right) if none.
  RECT boxOf(COLORREF colour, const RECT& within) const {
    RECT box{within.right, within.bottom, within.left - 1, within.top - 1};
    for (int y = within.top; y < within.bottom; ++y) {
      for (int x = within.left; x < within.right; ++x) {
        if (at(x, y) != colour) continue;
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
    }
    return box;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  DWORD* bits_ = nullptr;
};

TEST_F(Splash, BackgroundIsThePhotographInTwoGreysRaisedBy50Rows) {
  // The picture itself, read independently: 1 bit per pixel, 450 x 330.
  HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH));
  ASSERT_NE(nullptr, picture);
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  EXPECT_EQ(450, info.bmWidth);
  EXPECT_EQ(330, info.bmHeight);
  EXPECT_EQ(1, info.bmBitsPixel);
  Canvas source(450, 330, RGB(0, 255, 0));
  {
    HDC memory = CreateCompatibleDC(source.dc());
    HGDIOBJ old = SelectObject(memory, picture);
    SetBkColor(source.dc(), RGB(255, 255, 255));
    SetTextColor(source.dc(), RGB(0, 0, 0));
    BitBlt(source.dc(), 0, 0, 450, 330, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  DeleteObject(picture);

  const RECT client = test::clientRect(app.splashWindow);
  Canvas canvas(client.right, client.bottom, RGB(0, 255, 0));
  drawSplashBackground(canvas.dc());
  int light = 0;
  int dark = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const COLORREF got = canvas.at(x, y);
      if (x >= 450 || y + 50 >= 330) {
        EXPECT_EQ(RGB(0, 255, 0), got) << "outside the picture at " << x << "," << y;
        continue;
      }
      const bool white = source.at(x, y + 50) == RGB(255, 255, 255);
      ASSERT_EQ(white ? RGB(192, 192, 192) : RGB(178, 178, 178), got) << x << "," << y;
      ++(white ? light : dark);
    }
  }
  EXPECT_GT(light, 1000);
  EXPECT_GT(dark, 1000);
}

TEST_F(Splash, EraseBackgroundDrawsThePictureAndReturnsZero) {
  const RECT client = test::clientRect(app.splashWindow);
  Canvas canvas(client.right, client.bottom, RGB(0, 255, 0));
  EXPECT_EQ(0, SendMessageA(app.splashWindow, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0));
  const COLORREF corner = canvas.at(0, 0);
  EXPECT_TRUE(corner == RGB(192, 192, 192) || corner == RGB(178, 178, 178));
}

TEST_F(Splash, ItemsArePaintedInTheirColoursAndPlaces) {
  const RECT client = test::clientRect(app.splashWindow);
  Canvas canvas(client.right, client.bottom, RGB(255, 255, 255));
  paintSplashItems(canvas.dc(), client);

  // The raised inner edge: light top and left, shadow bottom and right.
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.at(0, 0));
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.at(client.right / 2, 0));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.at(client.right - 1, client.bottom / 2));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.at(client.right / 2, client.bottom - 1));

  const RECT inside{1, 1, client.right - 1, client.bottom - 1};
  const RECT blue = canvas.boxOf(RGB(0, 0, 192), inside);
  ASSERT_LE(blue.left, blue.right) << "\"Rovenza\" is painted in RGB(0,0,192)";
  EXPECT_GE(blue.left, 20);
  EXPECT_LT(blue.left, 40);
  EXPECT_GE(blue.top, 20);
  EXPECT_LT(blue.bottom, 60);

  const RECT red = canvas.boxOf(RGB(255, 0, 0), inside);
  ASSERT_LE(red.left, red.right) << "the version is painted in RGB(255,0,0)";
  EXPECT_GE(red.left, 290);
  EXPECT_GE(red.top, 55);
  EXPECT_LT(red.bottom, 75);

  // The three lines in the window-text colour, each within its own band.
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  struct Band {
    int top;
    int bottom;
  };
  for (const Band& band : {Band{100, 115}, Band{130, 145}, Band{145, 160}}) {
    const RECT box = canvas.boxOf(text, RECT{1, band.top, client.right - 1, band.bottom});
    ASSERT_LE(box.left, box.right) << "line at " << band.top;
    EXPECT_GE(box.left, 30) << "line at " << band.top;
    EXPECT_LT(box.left, 40) << "line at " << band.top;
  }
  const RECT elsewhere = canvas.boxOf(text, RECT{1, 1, client.right - 1, 100});
  EXPECT_GT(elsewhere.left, elsewhere.right) << "nothing in window-text colour above the user line";
}

TEST_F(Splash, ItemsAreTheProductVersionUserSystemAndServicePack) {
  const std::vector<SplashTextItem> items = splashTextItems();
  ASSERT_EQ(5u, items.size());
  struct Expected {
    int x, y;
    const char* face;
    int height, weight;
    bool italic;
  };
  const Expected expected[] = {
      {20, 20, "ＭＳ Ｐゴシック", 40, 400, true}, {290, 55, "Arial", 20, 700, true},
      {30, 100, "ＭＳ ゴシック", 15, 700, false}, {30, 130, "ＭＳ ゴシック", 15, 700, false},
      {30, 145, "ＭＳ ゴシック", 15, 700, false},
  };
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(expected[i].x, items[i].x) << i;
    EXPECT_EQ(expected[i].y, items[i].y) << i;
    EXPECT_STREQ(expected[i].face, items[i].face) << i;
    EXPECT_EQ(expected[i].height, items[i].height) << i;
    EXPECT_EQ(expected[i].weight, items[i].weight) << i;
    EXPECT_EQ(expected[i].italic, items[i].italic) << i;
  }
  EXPECT_EQ("Rovenza", items[0].text);
  EXPECT_EQ(RGB(0, 0, 192), items[0].colour);
  EXPECT_EQ("Version4 SR-1", items[1].text);
  EXPECT_EQ(RGB(255, 0, 0), items[1].colour);
  for (size_t i = 2; i < 5; ++i) EXPECT_TRUE(items[i].systemColour) << i;

  // The user as the system names it.
  char name[256] = {};
  DWORD size = sizeof name;
  ASSERT_TRUE(GetUserNameA(name, &size));
  ASSERT_GT(std::strlen(name), 0u);
  EXPECT_EQ(std::string("User：") + name, items[2].text);
  EXPECT_EQ(name, userName());
}

TEST_F(Splash, SystemLinesNameTheRunningSystem) {
  OSVERSIONINFOA record{};
  record.dwOSVersionInfoSize = sizeof record;
  ASSERT_EQ(148u, record.dwOSVersionInfoSize);
  ASSERT_TRUE(GetVersionExA(&record));
  const OsVersion version = systemVersion();
  EXPECT_EQ(record.dwMajorVersion, version.major);
  EXPECT_EQ(record.dwMinorVersion, version.minor);
  EXPECT_EQ(record.dwPlatformId, version.platformId);
  EXPECT_EQ(std::string(record.szCSDVersion), version.servicePack);

  const std::vector<SplashTextItem> items = splashTextItems();
  ASSERT_EQ(5u, items.size());
  EXPECT_EQ("OS：" + osName(version), items[3].text);
  EXPECT_EQ(std::string("Service Pack：") + record.szCSDVersion, items[4].text);
  std::printf("running system reports %lu.%lu platform %lu \"%s\": %s\n", record.dwMajorVersion,
              record.dwMinorVersion, record.dwPlatformId, record.szCSDVersion, items[3].text.c_str());
  // Every system since Windows 7 reports 6.1 or later to a program without a
  // compatibility manifest; all of them read as the unknown Windows.
  if (record.dwMajorVersion > 6 || (record.dwMajorVersion == 6 && record.dwMinorVersion >= 1)) {
    EXPECT_EQ("OS：謎のWindows(^^;", items[3].text);
  }
}

}  // namespace
}  // namespace rovenza
