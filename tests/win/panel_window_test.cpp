// The operation panel as start-up builds it: every control with its id,
// class, text, styles, place and size; fonts; up-downs; key pictures; the
// colours of the number displays; closing and destruction.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panel/PanelIds.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

class Panel : public ::testing::Test {
 protected:
  void SetUp() override {
    panel = app.panelWindow;
    ASSERT_TRUE(IsWindow(panel));
  }
  HWND item(int id) const { return GetDlgItem(panel, id); }
  // A child's window rectangle in the panel's client coordinates.
  RECT placeOf(HWND child) const {
    RECT rect = test::windowRect(child);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  ProgramSession session;
  HWND panel = nullptr;
};

struct ControlCase {
  int id;
  const char* className;
  const char* text;
  DWORD exStyle;
  DWORD style;
  int x, y, width, height;
};

// Child, visible, arrow keys, automatic buddy, aligned right, buddy integer,
// and no thousands separator (0x80), so that the edits keep plain digits.
constexpr DWORD kUpDownStyle = 0x50000036 | 0x80;

// In creation order.
const ControlCase kControls[] = {
    {1006, "Button", "１つ目の幕", 0, 0x50000007, 3, 2, 127, 180},
    {1007, "Button", "２つ目の幕", 0, 0x50000007, 135, 2, 127, 180},
    {1002, "Static", "0", 0x200, 0x50000002, 11, 15, 85, 24},
    {1008, "Button", "0", 0, 0x50010080, 12, 104, 26, 20},
    {1009, "Button", "1", 0, 0x50010080, 12, 83, 26, 20},
    {1010, "Button", "2", 0, 0x50010080, 41, 83, 26, 20},
    {1011, "Button", "3", 0, 0x50010080, 70, 83, 26, 20},
    {1012, "Button", "4", 0, 0x50010080, 12, 62, 26, 20},
    {1013, "Button", "5", 0, 0x50010080, 41, 62, 26, 20},
    {1014, "Button", "6", 0, 0x50010080, 70, 62, 26, 20},
    {1015, "Button", "7", 0, 0x50010080, 12, 41, 26, 20},
    {1016, "Button", "8", 0, 0x50010080, 41, 41, 26, 20},
    {1017, "Button", "9", 0, 0x50010080, 70, 41, 26, 20},
    {1018, "Button", "強", 0, 0x50010080, 100, 15, 26, 20},
    {1019, "Button", "ON", 0, 0x50014080, 70, 104, 26, 20},
    {1003, "Static", "0", 0x200, 0x50000002, 142, 15, 85, 24},
    {1020, "Button", "0", 0, 0x50010080, 144, 104, 26, 20},
    {1021, "Button", "1", 0, 0x50010080, 144, 83, 26, 20},
    {1022, "Button", "2", 0, 0x50010080, 173, 83, 26, 20},
    {1023, "Button", "3", 0, 0x50010080, 201, 83, 26, 20},
    {1024, "Button", "4", 0, 0x50010080, 144, 62, 26, 20},
    {1025, "Button", "5", 0, 0x50010080, 173, 62, 26, 20},
    {1026, "Button", "6", 0, 0x50010080, 201, 62, 26, 20},
    {1027, "Button", "7", 0, 0x50010080, 144, 41, 26, 20},
    {1028, "Button", "8", 0, 0x50010080, 173, 41, 26, 20},
    {1029, "Button", "9", 0, 0x50010080, 201, 41, 26, 20},
    {1030, "Button", "ON", 0, 0x50010080, 201, 104, 26, 20},
    {1031, "Button", "強", 0, 0x50010080, 230, 15, 26, 20},
    {1032, "Static", "速度：", 0, 0x50000000, 12, 132, 30, 12},
    {1033, "Edit", "0", 0x200, 0x50012002, 42, 129, 80, 20},
    {1034, "msctls_updown32", "", 0, kUpDownStyle, 104, 127, 19, 20},
    {1035, "Static", "間隔：", 0, 0x50000000, 12, 158, 30, 12},
    {1036, "Edit", "0", 0x200, 0x50012002, 42, 154, 80, 20},
    {1037, "msctls_updown32", "", 0, kUpDownStyle, 106, 154, 17, 19},
    {1038, "Static", "速度：", 0, 0x50000000, 143, 132, 30, 12},
    {1039, "Static", "間隔：", 0, 0x50000000, 143, 158, 30, 12},
    {1040, "Edit", "0", 0x200, 0x50012002, 172, 129, 80, 20},
    {1041, "msctls_updown32", "", 0, kUpDownStyle, 234, 128, 18, 19},
    {1042, "Edit", "0", 0x200, 0x50012002, 172, 154, 80, 20},
    {1043, "msctls_updown32", "", 0, kUpDownStyle, 236, 153, 16, 22},
    {1044, "Button", "C", 0, 0x50000080, 41, 104, 26, 20},
    {1045, "Button", "C", 0, 0x50000080, 173, 104, 26, 20},
    {1046, "Button", "送", 0, 0x50000080, 100, 62, 26, 20},
    {1047, "Button", "戻", 0, 0x50000080, 100, 83, 26, 20},
    {1048, "Button", "送", 0, 0x50000080, 230, 62, 26, 20},
    {1049, "Button", "戻", 0, 0x50000080, 230, 83, 26, 20},
};

bool isUpDown(const ControlCase& c) { return std::string(c.className) == "msctls_updown32"; }

TEST_F(Panel, ControlsAreCreatedInTableOrderWithTheirIdsAndClasses) {
  std::vector<int> ids;
  // The child list runs from the top of the z-order, which is creation order.
  for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    ids.push_back(GetDlgCtrlID(child));
  }
  ASSERT_EQ(std::size(kControls), ids.size());
  for (size_t i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(kControls[i].id, ids[i]) << "control " << i;
    HWND control = item(kControls[i].id);
    EXPECT_EQ(0, lstrcmpiA(kControls[i].className, test::className(control).c_str()))
        << kControls[i].id << ": " << test::className(control);
    EXPECT_EQ(panel, GetParent(control));
  }
}

TEST_F(Panel, ControlsHaveTheirTextsAndStyles) {
  for (const ControlCase& c : kControls) {
    HWND control = item(c.id);
    ASSERT_TRUE(control) << c.id;
    EXPECT_EQ(c.text, test::windowText(control)) << c.id;
    EXPECT_EQ(c.style, static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE))) << c.id;
    EXPECT_EQ(c.exStyle, static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE))) << c.id;
    EXPECT_TRUE(IsWindowVisible(control)) << c.id;
    EXPECT_TRUE(IsWindowEnabled(control)) << c.id;
  }
}

TEST_F(Panel, ControlsStandAtTheirPlacesWithTheirSizes) {
  for (const ControlCase& c : kControls) {
    if (isUpDown(c)) continue;  // placed by their buddies: see the next test
    const RECT rect = placeOf(item(c.id));
    const bool buddy = c.id == 1033 || c.id == 1036 || c.id == 1040 || c.id == 1042;
    EXPECT_EQ(c.x, rect.left) << c.id;
    EXPECT_EQ(c.y, rect.top) << c.id;
    EXPECT_EQ(c.height, rect.bottom - rect.top) << c.id;
    // An edit gives up its right end to its up-down.
    if (!buddy) {
      EXPECT_EQ(c.width, rect.right - rect.left) << c.id;
    }
  }
}

TEST_F(Panel, UpDownsSitOnTheRightEndOfTheirBuddies) {
  struct Pair {
    int upDown;
    int edit;
  };
  for (const Pair& p : {Pair{1034, 1033}, Pair{1037, 1036}, Pair{1041, 1040}, Pair{1043, 1042}}) {
    HWND upDown = item(p.upDown);
    HWND edit = item(p.edit);
    EXPECT_EQ(reinterpret_cast<LRESULT>(edit), SendMessageA(upDown, UDM_GETBUDDY, 0, 0)) << p.upDown;
    const RECT u = placeOf(upDown);
    const RECT e = placeOf(edit);
    const ControlCase* editCase = nullptr;
    for (const ControlCase& c : kControls) {
      if (c.id == p.edit) editCase = &c;
    }
    ASSERT_TRUE(editCase);
    // The edit keeps its left end and gives up exactly the up-down's width,
    // once; the up-down stands on the edit's right end (over its border, as
    // the toolkit places it), inside the edit's original row.
    const int upDownWidth = u.right - u.left;
    EXPECT_GT(upDownWidth, 0);
    EXPECT_EQ(editCase->x, e.left) << p.edit;
    EXPECT_EQ(editCase->x + editCase->width, e.right + upDownWidth) << p.edit;
    EXPECT_LE(u.left, e.right) << p.upDown;
    EXPECT_GT(u.right, e.right) << p.upDown;
    EXPECT_LE(u.right, editCase->x + editCase->width) << p.upDown;
    EXPECT_EQ(e.top, u.top) << p.upDown;
    EXPECT_EQ(e.bottom, u.bottom) << p.upDown;
  }
}

TEST_F(Panel, UpDownsHaveTheirRangesAndStartAtZero) {
  struct Range {
    int id;
    int max;
  };
  for (const Range& r : {Range{1034, 1000}, Range{1037, 5000}, Range{1041, 1000}, Range{1043, 5000}}) {
    HWND upDown = item(r.id);
    const LRESULT range = SendMessageA(upDown, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(r.max, LOWORD(range)) << r.id;
    EXPECT_EQ(0, HIWORD(range)) << r.id;
    const LRESULT pos = SendMessageA(upDown, UDM_GETPOS, 0, 0);
    EXPECT_EQ(0, HIWORD(pos)) << r.id;
    EXPECT_EQ(0, LOWORD(pos)) << r.id;
  }
  for (int edit : {1033, 1036, 1040, 1042}) EXPECT_EQ("0", test::windowText(item(edit))) << edit;
}

TEST_F(Panel, ControlsUseThePanelFontAndTheDisplaysTheirOwn) {
  for (const ControlCase& c : kControls) {
    if (isUpDown(c)) continue;
    const HFONT expected = (c.id == 1002 || c.id == 1003) ? app.panel.displayFont.get() : app.panelFont.get();
    EXPECT_EQ(reinterpret_cast<LRESULT>(expected), SendMessageA(item(c.id), WM_GETFONT, 0, 0)) << c.id;
  }
}

TEST_F(Panel, DisplayFontHasItsParameters) {
  ASSERT_NE(nullptr, app.panel.displayFont.get());
  LOGFONTA lf{};
  ASSERT_EQ(static_cast<int>(sizeof lf), GetObjectA(app.panel.displayFont.get(), sizeof lf, &lf));
  EXPECT_EQ(22, lf.lfHeight);
  EXPECT_EQ(18, lf.lfWidth);
  EXPECT_EQ(0, lf.lfEscapement);
  EXPECT_EQ(0, lf.lfOrientation);
  EXPECT_EQ(400, lf.lfWeight);
  EXPECT_EQ(0, lf.lfItalic);
  EXPECT_EQ(0, lf.lfUnderline);
  EXPECT_EQ(0, lf.lfStrikeOut);
  EXPECT_EQ(128, lf.lfCharSet);
  EXPECT_EQ(0, lf.lfOutPrecision);
  EXPECT_EQ(0, lf.lfClipPrecision);
  EXPECT_EQ(0, lf.lfQuality);
  EXPECT_EQ(0, lf.lfPitchAndFamily);
  EXPECT_EQ(std::string("ＭＳ ゴシック"), lf.lfFaceName);
}

TEST_F(Panel, KeysShowTheirPictures) {
  // Picture i is resource 200 + i: digits 0-9, C, 送, 戻, 強, ON.
  struct Key {
    int id;
    int picture;
  };
  std::vector<Key> keys;
  for (int d = 0; d <= 9; ++d) {
    keys.push_back({1008 + d, d});
    keys.push_back({1020 + d, d});
  }
  for (Key k : {Key{1044, 10}, Key{1045, 10}, Key{1046, 11}, Key{1048, 11}, Key{1047, 12}, Key{1049, 12},
                Key{1018, 13}, Key{1031, 13}, Key{1019, 14}, Key{1030, 14}}) {
    keys.push_back(k);
  }
  ASSERT_EQ(30u, keys.size());
  for (const Key& k : keys) {
    const HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(item(k.id), BM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(app.panel.keypadBitmaps[k.picture].get(), shown) << k.id;
  }
  for (int i = 0; i < kKeyPictureCount; ++i) {
    HBITMAP picture = app.panel.keypadBitmaps[i].get();
    ASSERT_NE(nullptr, picture) << i;
    BITMAP info{};
    ASSERT_EQ(static_cast<int>(sizeof info), GetObjectA(picture, sizeof info, &info));
    EXPECT_EQ(26, info.bmWidth) << i;
    EXPECT_EQ(22, info.bmHeight) << i;
    for (int j = 0; j < i; ++j) EXPECT_NE(app.panel.keypadBitmaps[j].get(), picture);
  }
}

// The pixels of a bitmap, top row first, as 0x00RRGGBB values.
std::vector<std::uint32_t> pixelsOf(HBITMAP bitmap, int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

size_t countColour(const std::vector<std::uint32_t>& pixels, std::uint32_t rgb) {
  size_t n = 0;
  for (std::uint32_t p : pixels) n += p == rgb;
  return n;
}

TEST_F(Panel, KeyPicturesAreTheOnesOfTheirResources) {
  // Background and glyph colours of each picture (0xRRGGBB).
  struct Look {
    std::uint32_t background;
    std::uint32_t glyph;
  };
  const Look yellowBlack{0xFFFF00, 0x000000};
  const Look looks[kKeyPictureCount] = {yellowBlack, yellowBlack, yellowBlack, yellowBlack, yellowBlack,
                                        yellowBlack, yellowBlack, yellowBlack, yellowBlack, yellowBlack,
                                        {0xFFFFFF, 0xFF0000} /* C */,  {0xFFFFFF, 0xFF0000} /* 送 */,
                                        {0xFFFFFF, 0x0000FF} /* 戻 */, {0xFF0000, 0xFFFF00} /* 強 */,
                                        {0x00FFFF, 0x008000} /* ON */};
  for (int i = 0; i < kKeyPictureCount; ++i) {
    HBITMAP fresh = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200 + i), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(nullptr, fresh) << i;
    const std::vector<std::uint32_t> kept = pixelsOf(app.panel.keypadBitmaps[i].get(), 26, 22);
    EXPECT_EQ(pixelsOf(fresh, 26, 22), kept) << "picture " << i << " is resource " << 200 + i;
    DeleteObject(fresh);
    EXPECT_GT(countColour(kept, looks[i].background), kept.size() / 2) << "picture " << i;
    EXPECT_GT(countColour(kept, looks[i].glyph), 20u) << "picture " << i;
  }
}

// Sends WM_CTLCOLORSTATIC for `control` with a memory DC and reports what
// the panel did to the DC.
struct ColourAnswer {
  LRESULT brush;
  COLORREF text;
  int backgroundMode;
};

ColourAnswer askColours(HWND panel, HWND control) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  ColourAnswer answer{};
  answer.brush = SendMessageA(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
  answer.text = GetTextColor(dc);
  answer.backgroundMode = GetBkMode(dc);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return answer;
}

TEST_F(Panel, NumberDisplaysAreOrangeOnBlack) {
  for (int id : {1002, 1003}) {
    const ColourAnswer answer = askColours(panel, item(id));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)), answer.brush) << id;
    EXPECT_EQ(RGB(255, 165, 100), answer.text) << id;
    EXPECT_EQ(0x64A5FFu, answer.text);
    EXPECT_EQ(TRANSPARENT, answer.backgroundMode) << id;
  }
}

TEST_F(Panel, OtherStaticsKeepTheDefaultColours) {
  for (int id : {1032, 1035, 1038, 1039}) {
    const ColourAnswer answer = askColours(panel, item(id));
    EXPECT_NE(reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)), answer.brush) << id;
    EXPECT_NE(RGB(255, 165, 100), answer.text) << id;
    EXPECT_NE(TRANSPARENT, answer.backgroundMode) << id;
  }
}

// Counts the pixels of each kind in a window's client area as it is drawn
// on the screen.
struct PixelCount {
  int black = 0;
  int orange = 0;
  int other = 0;
};

PixelCount countPixels(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
  PixelCount count;
  const RECT client = test::clientRect(window);
  HDC dc = GetDC(window);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (c == RGB(0, 0, 0)) {
        ++count.black;
      } else if (c == RGB(255, 165, 100)) {
        ++count.orange;
      } else {
        ++count.other;
      }
    }
  }
  ReleaseDC(window, dc);
  return count;
}

TEST_F(Panel, NumberDisplaysDrawOrangeDigitsOnBlack) {
  session.closeSplash();
  SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  HWND display = item(1002);
  SetWindowTextA(display, "888");
  test::pumpPending();
  const PixelCount drawn = countPixels(display);
  EXPECT_GT(drawn.black, 0);
  EXPECT_GT(drawn.orange, 20) << "the digits";
  EXPECT_GT(drawn.black, drawn.orange) << "a black field";
  SetWindowTextA(display, "");
  const PixelCount empty = countPixels(display);
  EXPECT_EQ(0, empty.orange);
  EXPECT_EQ(0, empty.other) << "an empty display is all black";
}

TEST_F(Panel, CloseRequestsAreIgnored) {
  session.closeSplash();
  EXPECT_EQ(0, SendMessageA(panel, WM_CLOSE, 0, 0));
  PostMessageA(panel, WM_CLOSE, 0, 0);
  // Alt+F4 reaches the window as the close system command.
  SendMessageA(panel, WM_SYSCOMMAND, SC_CLOSE, 0);
  test::pumpPending();
  EXPECT_TRUE(IsWindow(panel));
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(panel, app.panelWindow);
  EXPECT_TRUE(IsWindow(session.main()));
}

TEST_F(Panel, DestructionReleasesTheDisplayFontAndThePictures) {
  const HFONT font = app.panel.displayFont.get();
  HBITMAP pictures[kKeyPictureCount];
  for (int i = 0; i < kKeyPictureCount; ++i) pictures[i] = app.panel.keypadBitmaps[i].get();
  ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));
  DestroyWindow(panel);
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_EQ(0u, GetObjectType(font));
  EXPECT_EQ(nullptr, app.panel.displayFont.get());
  for (int i = 0; i < kKeyPictureCount; ++i) {
    EXPECT_EQ(0u, GetObjectType(pictures[i])) << i;
    EXPECT_EQ(nullptr, app.panel.keypadBitmaps[i].get()) << i;
  }
  // The panel font is the start-up's: it stays until the release sequence.
  EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(app.panelFont.get()));
}

}  // namespace
}  // namespace rovenza
