#pragma once
// The start-up splash window ("Splash").
#include <windows.h>

namespace rovenza {

LRESULT CALLBACK splashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rovenza
