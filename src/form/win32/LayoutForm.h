#pragma once
// The layout form ("Set"): the modal window that edits the layout live.
#include <windows.h>

namespace rovenza {

// Window procedure of the layout form. runModalWindow creates the "NORMALDLG"
// window, subclasses it with this procedure and sends WM_INITDIALOG, on which
// the form builds its controls from the live windows and the layout.
LRESULT CALLBACK layoutFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rovenza
