#include "about/win32/AboutWindow.h"

#include <shellapi.h>

#include "common/win32/Controls.h"
#include "resources/resource.h"
#include "state/win32/AppState.h"
#include "state/win32/Modal.h"

namespace rovenza {

const char kCorvaneAppPage[] = "https://corvane.example.jp/apps/rovenza/";
const char kCorvaneHomePage[] = "https://corvane.example.jp/";

namespace {

WebPageOpener webPageOpener = ShellExecuteA;

constexpr DWORD kBannerStyle = WS_CHILD | WS_VISIBLE | SS_BITMAP;  // 0x5000000E
constexpr DWORD kIconStyle = WS_CHILD | WS_VISIBLE | SS_ICON;      // 0x50000003
constexpr DWORD kTextStyle = WS_CHILD | WS_VISIBLE;                // 0x50000000
// The buttons are tab stops so that Tab walks through them; without the flag
// the dialog keyboard handling finds no control to move to.
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;  // 0x50010000

// In creation order (which is also the Tab order): the banner, the middle
// rows, the icon. The banner gets its picture right after it is made, the
// icon once the rest is there.
const ControlRow kBannerControl = {kAboutBanner, "STATIC", "", 0, kBannerStyle, 0, 0, 450, 50};
const ControlRow kMiddleControls[] = {
    {kAboutOk, "BUTTON", "OK", 0, kButtonStyle, 377, 109, 67, 21},
    {kAboutSeparator, "STATIC", "", WS_EX_STATICEDGE, kTextStyle, 0, 101, 449, 2},
    {kAboutPlanning, "STATIC", "企画：Corvane", 0, kTextStyle, 78, 59, 179, 14},
    {kAboutProduction, "STATIC", "製作：Vellumark", 0, kTextStyle, 78, 82, 133, 15},
    {kAboutAppPageButton, "BUTTON", "Corvaneアプリのサイトへ...", 0, kButtonStyle, 9, 109, 142, 20},
    {kAboutHomePageButton, "BUTTON", "Corvaneのサイトへ...", 0, kButtonStyle, 159, 109, 150, 20},
};
const ControlRow kIconControl = {kAboutIcon, "STATIC", "", WS_EX_STATICEDGE, kIconStyle, 32, 60, 34, 34};

HINSTANCE moduleOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

void openWebPage(const char* address) {
  webPageOpener(app.aboutWindow, "open", address, "", "", SW_SHOWNORMAL);
}

LRESULT onInitDialog(HWND window) {
  app.aboutWindow = window;
  const HINSTANCE module = moduleOf(window);

  app.about.aboutBanner.reset(static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(IDB_ABOUT_BANNER), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE)));
  HWND banner = createControl(window, app.instance, kBannerControl, app.aboutFont.get());
  SendMessageA(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(app.about.aboutBanner.get()));

  createControls(window, app.instance, kMiddleControls, app.aboutFont.get());

  HWND icon = createControl(window, app.instance, kIconControl, app.aboutFont.get());
  app.about.aboutIcon.reset(
      static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(app.about.aboutIcon.get()), 0);
  return 0;
}

LRESULT onCommand(HWND window, WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  switch (LOWORD(wParam)) {
    case kAboutAppPageButton:
      openWebPage(kCorvaneAppPage);
      break;
    case kAboutHomePageButton:
      openWebPage(kCorvaneHomePage);
      break;
    case kAboutOk:
      endModalWindow(window, 1);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT onClose(HWND window) {
  endModalWindow(window, 0);
  return 0;
}

LRESULT onDestroy() {
  app.about.aboutBanner.reset();
  app.about.aboutIcon.reset();
  return 0;
}

}  // namespace

WebPageOpener setWebPageOpener(WebPageOpener opener) {
  WebPageOpener previous = webPageOpener;
  webPageOpener = opener ? opener : ShellExecuteA;
  return previous;
}

LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_COMMAND:
      return onCommand(window, wParam);
    case WM_CLOSE:
      return onClose(window);
    case WM_DESTROY:
      return onDestroy();
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace rovenza
