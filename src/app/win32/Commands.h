#pragma once
// Menu commands that are not layout-file operations, the modal-window loop,
// help and exit.
#include <windows.h>

#include <cstdint>

namespace rovenza {

void exitCommand();      // File > Exit
void settingsCommand();  // Settings > Settings...
void aboutCommand();     // Help > About

extern const char kMakeSignItemText[];  // "幕を作る(&M)..."
// File > Make a sign: opens the sign maker's window, or brings it up when it
// is open already.
void makeSignCommand();
extern const char kSettingBoxItemText[];  // "設定器(&B)..."
// Settings > Setting box: opens the setting box beside the panel, or brings
// it up when it is open already.
void settingBoxCommand();
void showHelp();         // Help > Topics, F1, the form's help button

// Asks whether to leave; on Yes stops both rolls and saves the settings.
// Returns true when the user cancelled.
bool confirmExit();

// Creates the modal window for `key` ("About" or "Set") and runs its nested
// loop until endModalWindow; returns the code passed to endModalWindow, or 0
// at once for any other key.
// The window ends itself with endModalWindow (state/win32/Modal.h).
std::int32_t runModalWindow(HWND owner, const char* key);

}  // namespace rovenza
