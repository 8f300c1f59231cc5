#pragma once
// The end of a modal window (About, the layout form), run by the window itself.
#include <windows.h>

#include <cstdint>

namespace rovenza {

// Enables the window's owner again, destroys the window and ends the nested
// loop that runs it, which then returns `code`.
void endModalWindow(HWND window, std::int32_t code);

}  // namespace rovenza
