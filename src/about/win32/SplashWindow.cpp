#include "about/win32/SplashWindow.h"

#include <cstring>

#include "common/win32/Controls.h"
#include "common/win32/Scoped.h"
#include "resources/resource.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

constexpr DWORD kChildVisible = 0x50000000;     // child, visible
constexpr DWORD kGroupBoxStyle = 0x50000007;    // child, visible, group box
constexpr COLORREF kBackgroundWhite = RGB(192, 192, 192);  // the picture's white pixels
constexpr COLORREF kBackgroundBlack = RGB(178, 178, 178);  // the picture's black pixels
constexpr int kPictureWidth = 450;
constexpr int kPictureHeight = 330;
constexpr int kPictureTop = -50;
constexpr int kAssumedFrame = 3;

const ControlRow kSplashControls[] = {
    {kSplashCreditStrip, "STATIC", "", WS_EX_STATICEDGE, kChildVisible, 11, 241, 421, 17},
    {kSplashPlanningCredit, "STATIC", "企画：Corvane", 0, kChildVisible, 33, 243, 192, 13},
    {kSplashStudioCredit, "STATIC", "制作：Vellumark", 0, kChildVisible, 240, 243, 174, 12},
    {kSplashNotice, "STATIC",
     "このソフトウェアはフリーソフトです。表示する写真や幕の画像は、実在の事業者・車両とは関係ありません。", 0,
     kChildVisible, 11, 211, 432, 27},
    {kSplashFrame, "BUTTON", "", 0, kGroupBoxStyle, 4, 8, 438, 256},
};

// Cuts away the caption and the frame (taken to be 3 pixels wide), leaving
// the client area.
void cutAwayFrame(HWND window, const RECT& client) {
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  ScopedRegion region(CreateRectRgn(kAssumedFrame, caption + kAssumedFrame, client.right + kAssumedFrame,
                                    client.bottom + caption + kAssumedFrame));
  // Once set, the region is the window's and goes with it.
  if (SetWindowRgn(window, region.get(), TRUE)) app.splash.splashRegion = region.release();
}

void centreOnDesktop(HWND window, const RECT& client) {
  RECT desktop{};
  GetClientRect(GetDesktopWindow(), &desktop);
  const int x = (desktop.right - client.right) / 2;
  const int y = (desktop.bottom - client.bottom) / 2;
  SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

void enableOwnerWindows(BOOL enabled) {
  EnableWindow(app.mainWindow, enabled);
  EnableWindow(app.panelWindow, enabled);
}

LRESULT onInitDialog(HWND window) {
  app.splashWindow = window;
  createControls(window, app.instance, kSplashControls, app.splashFont.get());
  enableOwnerWindows(FALSE);
  RECT client{};
  GetClientRect(window, &client);
  cutAwayFrame(window, client);
  centreOnDesktop(window, client);
  app.splash.splashTimer = SetTimer(window, kSplashTimerId, kSplashMilliseconds, nullptr);
  return 0;
}

// The timer and the close request end the splash alike.
void endSplash(HWND window) {
  enableOwnerWindows(TRUE);
  KillTimer(window, app.splash.splashTimer);
  DestroyWindow(window);
}

LRESULT onTimer(HWND window, WPARAM timerId) {
  if (timerId == app.splash.splashTimer) endSplash(window);
  return 0;
}

LRESULT onClose(HWND window) {
  endSplash(window);
  return 0;
}

LRESULT onDestroy(HWND window) {
  SendMessageA(app.mainWindow, kOpenCommandLineMessage, 0, 0);
  if (app.splashWindow == window) app.splashWindow = nullptr;
  // The region went with the window.
  app.splash.splashRegion = nullptr;
  return 0;
}

LRESULT onPaint(HWND window) {
  PaintDC paint(window);
  RECT client{};
  GetClientRect(window, &client);
  paintSplashItems(paint.get(), client);
  return 0;
}

LRESULT onEraseBackground(WPARAM dc) {
  drawSplashBackground(reinterpret_cast<HDC>(dc));
  return 0;
}

LRESULT onControlColour(WPARAM dc) {
  HDC control = reinterpret_cast<HDC>(dc);
  SetBkMode(control, TRANSPARENT);
  SetTextColor(control, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT splashMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_PAINT:
      return onPaint(window);
    case WM_TIMER:
      return onTimer(window, wParam);
    case WM_CLOSE:
      return onClose(window);
    case WM_DESTROY:
      return onDestroy(window);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

std::string userName() {
  DWORD size = 0;
  GetUserNameA(nullptr, &size);
  std::string buffer(static_cast<std::size_t>(size) + 1, '\0');
  DWORD length = size + 1;
  if (!GetUserNameA(buffer.data(), &length)) return std::string();
  buffer.resize(std::strlen(buffer.c_str()));
  return buffer;
}

OsVersion systemVersion() {
  OSVERSIONINFOA record{};
  record.dwOSVersionInfoSize = sizeof record;  // 148 bytes
  GetVersionExA(&record);
  OsVersion version;
  version.major = record.dwMajorVersion;
  version.minor = record.dwMinorVersion;
  version.platformId = record.dwPlatformId;
  version.servicePack.assign(record.szCSDVersion, strnlen(record.szCSDVersion, sizeof record.szCSDVersion));
  return version;
}

std::vector<SplashTextItem> splashTextItems() {
  const OsVersion version = systemVersion();
  const char* kGothic = "ＭＳ ゴシック";
  return {
      {20, 20, "ＭＳ Ｐゴシック", 40, 400, true, RGB(0, 0, 192), false, "Rovenza"},
      {290, 55, "Arial", 20, 700, true, RGB(255, 0, 0), false, "Version4 SR-1"},
      {30, 100, kGothic, 15, 700, false, 0, true, "User：" + userName()},
      {30, 130, kGothic, 15, 700, false, 0, true, "OS：" + osName(version)},
      {30, 145, kGothic, 15, 700, false, 0, true, "Service Pack：" + servicePackText(version)},
  };
}

void drawSplashBackground(HDC dc) {
  ScopedBitmap picture(LoadBitmapA(app.instance, MAKEINTRESOURCEA(IDB_SPLASH)));
  MemoryDC memory(dc);
  SelectGuard select(memory.get(), picture.get());
  SetBkColor(dc, kBackgroundWhite);
  SetTextColor(dc, kBackgroundBlack);
  BitBlt(dc, 0, kPictureTop, kPictureWidth, kPictureHeight, memory.get(), 0, 0, SRCCOPY);
}

void paintSplashItems(HDC dc, const RECT& client) {
  RECT edge = client;
  DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  SetBkMode(dc, TRANSPARENT);
  for (const SplashTextItem& item : splashTextItems()) {
    ScopedFont font(CreateFontA(item.height, 0, 0, 0, item.weight, item.italic ? TRUE : FALSE, FALSE, FALSE,
                                SHIFTJIS_CHARSET, 0, 0, 0, 0, item.face));
    SelectGuard select(dc, font.get());
    SetTextColor(dc, item.systemColour ? GetSysColor(COLOR_WINDOWTEXT) : item.colour);
    TextOutA(dc, item.x, item.y, item.text.c_str(), static_cast<int>(item.text.size()));
  }
}

LRESULT CALLBACK splashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return onEraseBackground(wParam);
    case WM_CTLCOLORSTATIC:
      return onControlColour(wParam);
    default:
      return splashMessage(window, message, wParam, lParam);
  }
}

}  // namespace rovenza
