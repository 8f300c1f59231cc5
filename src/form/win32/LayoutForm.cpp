#include "form/win32/LayoutForm.h"

#include "app/win32/AppState.h"
#include "app/win32/Commands.h"

namespace rovenza {

namespace {

LRESULT onInitDialog(HWND window) {
  app.formWindow = window;
  return 0;
}

LRESULT onClose(HWND window) {
  endModalWindow(window, 0);
  return 0;
}

}  // namespace

LRESULT CALLBACK layoutFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_CLOSE:
      return onClose(window);
    case WM_DESTROY:
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace rovenza
