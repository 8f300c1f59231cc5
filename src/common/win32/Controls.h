#pragma once
// Building a window's controls from a table: one row per control, created in
// the table's order, each given the window's font as it is made.
#include <windows.h>

#include <cstddef>

namespace rovenza {

// The class of an up-down control ("msctls_updown32").
extern const char kUpDownClass[];

// One window as its creator makes it: a child control (id from 1000 up, x
// and y in the parent's client area) or a top-level window (id 0, x and y
// CW_USEDEFAULT).
struct ControlRow {
  int id;
  const char* className;
  const char* text;  // null for an up-down
  DWORD exStyle;
  DWORD style;
  int x, y, width, height;
};

// Creates the window of `row` with `parent` as its parent (or owner) and
// sends it WM_SETFONT with `font` (no redraw) unless the font is null. An
// up-down takes no font: it takes the control created just before it as its
// buddy (the table gives it UDS_AUTOBUDDY) and starts with the limits 0 and
// 100 at position 0 until its window sets its own. Returns the window, null
// when it could not be made.
HWND createControl(HWND parent, HINSTANCE instance, const ControlRow& row, HFONT font);

// createControl for each row, in order: the order is the windows' stacking
// and Tab order, and each up-down's buddy is the row before it.
void createControls(HWND parent, HINSTANCE instance, const ControlRow* rows, std::size_t count, HFONT font);

template <std::size_t N>
void createControls(HWND parent, HINSTANCE instance, const ControlRow (&rows)[N], HFONT font) {
  createControls(parent, instance, rows, N, font);
}

// The same, each control made a Unicode one (CreateWindowExW, its text
// taken from code page 932): its text is kept whole, whatever the script.
void createWideControls(HWND parent, HINSTANCE instance, const ControlRow* rows, std::size_t count, HFONT font);

template <std::size_t N>
void createWideControls(HWND parent, HINSTANCE instance, const ControlRow (&rows)[N], HFONT font) {
  createWideControls(parent, instance, rows, N, font);
}

}  // namespace rovenza
