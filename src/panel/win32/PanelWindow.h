#pragma once
// The operation panel ("Ctrl"): both signs' keypads, displays, speed and
// interval fields.
#include <windows.h>

#include <cstdint>
#include <string>

namespace rovenza {

LRESULT CALLBACK panelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The panel's fields as other parts of the program read and set them; each
// takes the sign index (0 or 1). They do nothing (or read the empty text)
// while the panel does not exist.
std::string numberDisplayText(int sign);
void setNumberDisplayText(int sign, const std::string& text);
std::string speedEditText(int sign);
std::string intervalEditText(int sign);
// Moves the up-down, which writes the number into its edit (kept within the
// up-down's range).
void setSpeedPosition(int sign, std::int32_t position);
void setIntervalPosition(int sign, std::int32_t position);

}  // namespace rovenza
