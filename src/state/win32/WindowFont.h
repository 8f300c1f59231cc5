#pragma once
// A font of a window's own, made like every other window's.
#include <windows.h>

namespace rovenza {

// A copy of the program's font (the main window's), for a window that makes
// its controls after start-up; null when it cannot be made. The caller owns it.
HFONT copyOfProgramFont();

}  // namespace rovenza
