#pragma once
// The sign window's own handling on top of its bitmap static: the requests a
// roll thread sends it, and stopping the roll when the window goes.
#include <windows.h>

namespace rovenza {

// Sent by a roll thread to the sign window. wParam is the roll's serial.
constexpr UINT kRollStepMessage = WM_APP + 0x0301;  // lParam: strip offset; result 1 moved, 0 stopped
constexpr UINT kRollEndMessage = WM_APP + 0x0302;   // the roll has made all its steps

// Gives the sign's window this handling (once; again is harmless).
void attachSignWindow(int sign);

}  // namespace rovenza
