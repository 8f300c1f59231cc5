#pragma once
// The main window (class "NORMAL0"): the sign board with its menu.
#include <windows.h>

#include "state/win32/AppMessages.h"

namespace rovenza {

extern const char kMainClassName[];    // "NORMAL0"
extern const char kDialogClassName[];  // "NORMALDLG"
extern const char kMainTitle[];        // "RovenzaVer4"

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Destroys the panel, deletes the background, menus, fonts and brush, and
// posts the quit message. Run by WM_DESTROY and directly by the Exit command.
void releaseSequence();

}  // namespace rovenza
