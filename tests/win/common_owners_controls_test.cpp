// The owners of GDI objects and icons, and the builder that makes a window's
// controls from a table.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

#include "common/win32/Controls.h"
#include "common/win32/Scoped.h"
#include "resources/resource.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

HBRUSH newBrush() { return CreateSolidBrush(RGB(1, 2, 3)); }
bool alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(ScopedOwner, ReleasesItsHandleWhenResetOrGoneAndKeepsWhatItHandsOver) {
  HBRUSH first = newBrush();
  HBRUSH second = newBrush();
  HBRUSH handedOver = newBrush();
  {
    ScopedBrush owner(first);
    owner.reset(first);  // the handle it holds stays
    EXPECT_TRUE(alive(first));
    owner.reset(second);
    EXPECT_FALSE(alive(first));
    ScopedBrush next(std::move(owner));
    EXPECT_EQ(nullptr, owner.get());
    EXPECT_EQ(second, next.get());
    ScopedBrush given(handedOver);
    EXPECT_EQ(handedOver, given.release());
    EXPECT_TRUE(alive(second));
  }
  EXPECT_FALSE(alive(second));
  EXPECT_TRUE(alive(handedOver));
  DeleteObject(handedOver);
}

TEST(ScopedOwner, AnIconIsDestroyed) {
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  ASSERT_NE(nullptr, icon);
  ICONINFO info{};
  { ScopedIcon owner(icon); }
  EXPECT_FALSE(GetIconInfo(icon, &info));
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kUpDownStyle = kChild | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT;

const ControlRow kRows[] = {
    {1002, "STATIC", "幅：", 0, kChild, 5, 8, 30, 14},
    {1036, "EDIT", "0", WS_EX_CLIENTEDGE, kChild | ES_NUMBER, 40, 5, 80, 20},
    {1034, kUpDownClass, nullptr, 0, kUpDownStyle, 110, 5, 16, 20},
    {1008, "BUTTON", "参照...", 0, kChild | WS_TABSTOP, 130, 5, 40, 20},
};

TEST(Controls, ATableBecomesTheWindowsControlsInOrderWithItsFont) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, parent);
  ScopedFont font(CreateFontA(-12, 0, 0, 0, 400, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック"));
  createControls(parent, GetModuleHandleA(nullptr), kRows, font.get());

  HWND child = GetWindow(parent, GW_CHILD);
  for (const ControlRow& row : kRows) {
    ASSERT_NE(nullptr, child) << row.id;
    EXPECT_EQ(row.id, GetDlgCtrlID(child));
    EXPECT_EQ(0, lstrcmpiA(row.className, test::className(child).c_str())) << row.id;
    EXPECT_EQ(row.style, static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE))) << row.id;
    EXPECT_EQ(row.exStyle, static_cast<DWORD>(GetWindowLongPtrA(child, GWL_EXSTYLE))) << row.id;
    const bool upDown = row.text == nullptr;
    if (!upDown) {
      EXPECT_EQ(std::string(row.text), test::windowText(child)) << row.id;
    }
    const auto expectedFont = upDown ? nullptr : font.get();
    EXPECT_EQ(reinterpret_cast<LRESULT>(expectedFont), SendMessageA(child, WM_GETFONT, 0, 0)) << row.id;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(nullptr, child) << "more controls than rows";

  // The up-down took the edit before it as its buddy, once: the edit lost
  // the up-down's width and no more, and the up-down stands at its right.
  HWND edit = GetDlgItem(parent, 1036);
  HWND upDown = GetDlgItem(parent, 1034);
  EXPECT_EQ(edit, reinterpret_cast<HWND>(SendMessageA(upDown, UDM_GETBUDDY, 0, 0)));
  EXPECT_EQ(MAKELONG(0, 100), SendMessageA(upDown, UDM_GETRANGE, 0, 0));
  EXPECT_EQ(0, LOWORD(SendMessageA(upDown, UDM_GETPOS, 0, 0)));
  const RECT editRect = test::windowRect(edit);
  const RECT upDownRect = test::windowRect(upDown);
  EXPECT_EQ(80, (editRect.right - editRect.left) + (upDownRect.right - upDownRect.left));
  EXPECT_NEAR(editRect.right, upDownRect.left, 2);
  DestroyWindow(parent);
}

TEST(Controls, ATopLevelRowIsOwnedAndGetsNoFontWhenNoneIsGiven) {
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const ControlRow row = {0, "STATIC", "設定", 0, WS_CAPTION, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100};
  HWND window = createControl(owner, GetModuleHandleA(nullptr), row, nullptr);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(owner, GetWindow(window, GW_OWNER));
  EXPECT_EQ("設定", test::windowText(window));
  EXPECT_EQ(200, test::windowRect(window).right - test::windowRect(window).left);
  EXPECT_EQ(0, SendMessageA(window, WM_GETFONT, 0, 0));
  DestroyWindow(window);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace rovenza
