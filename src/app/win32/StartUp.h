#pragma once
// Process start-up: shared resources, window classes, the main window and
// the message loop.
#include <windows.h>

namespace rovenza {

// Runs the start-up sequence up to the creation of the main window and
// returns it (visible, with everything that lives for the whole run).
HWND startUp(HINSTANCE instance);

// The outer message loop; returns when the quit message arrives (or the get
// fails).
void runMessageLoop();

// One message taken with GetMessageW (never narrowed to code page 932: the
// system narrows it for an ANSI window as it is dispatched) handed on: to
// the sign maker's keyboard (Tab, Alt+letter, Esc) when it is for the maker,
// to `modal`'s when one runs, else translated and dispatched.
void dispatchProgramMessage(MSG& msg, HWND modal);

// Creates one of the modeless secondary windows by key ("Ctrl" or "Splash",
// case-sensitive), subclassed and sent WM_INITDIALOG; null for any other key.
HWND createNamedWindow(HWND owner, const char* key);

// Checks or unchecks the item `command` of the 設定 menu (a switch's item).
void checkSettingsItem(UINT command, bool on);

// Creates a font with the program's shared parameters.
HFONT createProgramFont();

}  // namespace rovenza
