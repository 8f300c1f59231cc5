#pragma once
// The HTML Help call behind showHelp.
#include <windows.h>

namespace rovenza {

// HtmlHelpA's signature. The program's viewer loads hhctrl.ocx when help is
// first asked for, so that the program starts even where HTML Help is
// missing (help then does nothing).
using HelpViewer = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

// HtmlHelpA's command that opens a help file at its table of contents.
constexpr UINT kHelpDisplayToc = 0x0001;  // HH_DISPLAY_TOC

// Puts `viewer` in the place of the HTML Help call (tests record the request
// instead of opening a viewer); null puts the system's back. Returns the one
// it replaced.
HelpViewer setHelpViewer(HelpViewer viewer);

}  // namespace rovenza
