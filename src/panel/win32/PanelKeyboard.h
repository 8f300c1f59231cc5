#pragma once
// The keyboard on the operation panel: with the main window or the panel
// active, keys press the selected sign's panel keys (see panel/KeyBindings.h),
// exactly as a click on each key does; F2 and F3 select the 1st and 2nd sign.
// A frame around its group marks the selected sign.
#include <windows.h>

namespace rovenza {

// A key went down in the main window or the panel (`inEdit`: in a speed or
// interval field). True when it was the panel's key, pressed or not: a key
// of a disabled panel key, like a click on it, does nothing.
bool panelKeyDown(WPARAM key, bool inEdit);

// Lets the panel's controls pass their keys to panelKeyDown; once, after
// they are created.
void attachPanelKeyboard(HWND panel);

// The sign the keyboard drives, and selecting it (a hidden 2nd sign cannot
// be selected).
int keyboardSign();
void selectKeyboardSign(int sign);

// Draws the frame around the selected sign's group onto the panel's `dc`.
void drawKeyboardSignFrame(HDC dc);

}  // namespace rovenza
