// The operation panel as start-up builds it: its controls as a well-built
// table and as their snapshot; fonts; up-downs; key pictures; the colours of
// the number displays; closing and destruction.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panel/PanelIds.h"
#include "state/win32/AppState.h"
#include "support/ControlTable.h"
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

// The panel's rows as a table cannot check them: unique ids, each control
// inside the panel, up-downs on their fields, Tab in creation order.
TEST_F(Panel, ControlsAreAWellBuiltTable) {
  test::expectWellBuiltControls(panel);
  for (HWND control : test::childControls(panel)) {
    EXPECT_EQ(panel, GetParent(control));
    EXPECT_TRUE(IsWindowVisible(control)) << GetDlgCtrlID(control);
    EXPECT_TRUE(IsWindowEnabled(control)) << GetDlgCtrlID(control);
  }
}

// Every control's id, class, styles, place, size and text, against the
// snapshot kept in tests/win/snapshots/panel.txt.
TEST_F(Panel, ControlsMatchTheirSnapshot) { test::expectControlsMatchSnapshot(panel, "panel"); }

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
  for (HWND control : test::childControls(panel)) {
    if (test::className(control) == UPDOWN_CLASSA) continue;
    const int id = GetDlgCtrlID(control);
    const HFONT expected = (id == 1002 || id == 1003) ? app.panel.displayFont.get() : app.panelFont.get();
    EXPECT_EQ(reinterpret_cast<LRESULT>(expected), SendMessageA(control, WM_GETFONT, 0, 0)) << id;
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
