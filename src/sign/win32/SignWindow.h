#pragma once
// The sign window's own handling on top of its bitmap static: the requests a
// roll thread sends it, handing the roll the picture it shows, stopping the
// roll when the window goes, and strips taller than a window can be. Its clip
// window paints the opening as a running roll drew it.
#include <windows.h>

#include <cstdint>

namespace rovenza {

// From a roll thread to the sign window. wParam is the roll's serial.
// Sent: a step the roll thread cannot draw itself. lParam: strip offset; result 1 moved, 0 stopped.
constexpr UINT kRollStepMessage = WM_APP + 0x0301;
// Sent: the roll has made all its steps.
constexpr UINT kRollEndMessage = WM_APP + 0x0302;
// Posted, one at a time: the roll thread has drawn steps; the window follows.
constexpr UINT kRollMovedMessage = WM_APP + 0x0303;
// To the clip window, posted one at a time (publishOpening): another thread
// drew into the opening; taking it is all, the drawing reaches the screen as
// the thread goes back to its message loop.
constexpr UINT kOpeningDrawnMessage = WM_APP + 0x0304;

// Gives the sign's window this handling (once; again is harmless), and makes
// the picture it shows the one the opening is drawn from.
void attachSignWindow(int sign);

// Puts the sign window where the strip at `stripOffset` shows in the clip
// window: at y = stripOffset, size unchanged. A picture taller than a window
// can be is shown through a window of kMaxWindowExtent rows holding the part
// of the strip in and around the opening, which the window paints itself.
// `flags`: further SetWindowPos flags (SWP_NOREDRAW, SWP_NOCOPYBITS).
void setSignWindowOffset(int sign, std::int32_t stripOffset, UINT flags = 0);

}  // namespace rovenza
