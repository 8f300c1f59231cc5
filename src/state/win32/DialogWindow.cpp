#include "state/win32/DialogWindow.h"

#include <cstring>

namespace rovenza {

const DialogWindow* findDialogWindow(const DialogWindow* rows, std::size_t count, const char* key) {
  if (!key) return nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    if (std::strcmp(rows[i].key, key) == 0) return &rows[i];
  }
  return nullptr;
}

HWND createDialogWindow(HWND owner, const DialogWindow& dialog) {
  HWND window = createControl(owner, app.instance, dialog.window, nullptr);
  app.*dialog.slot = window;
  if (window) {
    if (dialog.wide) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialog.procedure));
      SendMessageW(window, WM_INITDIALOG, 0, 0);
    } else {
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialog.procedure));
      SendMessageA(window, WM_INITDIALOG, 0, 0);
    }
  }
  return window;
}

}  // namespace rovenza
