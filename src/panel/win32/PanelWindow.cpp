#include "panel/win32/PanelWindow.h"

namespace rovenza {

LRESULT CALLBACK panelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The panel never closes before the program ends.
  if (message == WM_CLOSE) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace rovenza
