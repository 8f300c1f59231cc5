#pragma once
// The secondary windows ("NORMALDLG"): each gets its own window procedure by
// subclassing and builds its controls when its creator sends it
// WM_INITDIALOG.
#include <windows.h>

#include <cstddef>

#include "common/win32/Controls.h"
#include "state/win32/AppState.h"

namespace rovenza {

struct DialogWindow {
  const char* key;       // the name its creator asks for, compared case-sensitively
  ControlRow window;     // id 0; position and size as the creator gives them
  WNDPROC procedure;     // its own procedure
  HWND AppState::*slot;  // where its handle is kept
  bool wide = false;     // its procedure is given as a Unicode one: the window takes text whole
};

// The row of `table` whose key is `key`; null for any other key.
const DialogWindow* findDialogWindow(const DialogWindow* rows, std::size_t count, const char* key);

template <std::size_t N>
const DialogWindow* findDialogWindow(const DialogWindow (&rows)[N], const char* key) {
  return findDialogWindow(rows, N, key);
}

// Creates the window of `dialog` owned by `owner` and keeps its handle in its
// slot; then gives it its procedure (SetWindowLongPtrW for a wide one) and
// sends it WM_INITDIALOG (wParam 0, lParam 0). The window is not shown. Null when it could not be made.
HWND createDialogWindow(HWND owner, const DialogWindow& dialog);

}  // namespace rovenza
