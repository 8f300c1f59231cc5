#pragma once
// The operation panel ("Ctrl"): both signs' keypads, displays, speed and
// interval fields.
#include <windows.h>

namespace rovenza {

LRESULT CALLBACK panelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rovenza
