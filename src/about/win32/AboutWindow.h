#pragma once
// The About window ("About"): banner, credits and the two web-page buttons.
#include <windows.h>

namespace rovenza {

// Control ids of the About window.
enum AboutControl : int {
  kAboutBanner = 1000,
  kAboutIcon = 1001,
  kAboutSeparator = 1002,
  kAboutPlanning = 1003,
  kAboutOk = 1008,
  kAboutAppPageButton = 1009,
  kAboutHomePageButton = 1010,
  kAboutProduction = 1032,
};

// The planning group's pages opened by the two web buttons.
extern const char kCorvaneAppPage[];
extern const char kCorvaneHomePage[];

// Window procedure given to the "About" window by runModalWindow.
LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The call that opens a web page (ShellExecuteA by default). Tests put their
// own in its place so that no browser starts; null puts ShellExecuteA back.
// Returns the one it replaced.
using WebPageOpener = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                         LPCSTR directory, INT show);
WebPageOpener setWebPageOpener(WebPageOpener opener);

}  // namespace rovenza
