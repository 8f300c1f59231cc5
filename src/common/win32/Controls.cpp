#include "common/win32/Controls.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "common/win32/WideText.h"

namespace rovenza {

const char kUpDownClass[] = UPDOWN_CLASSA;

namespace {

// Limits and position of a new up-down, until its window sets its own.
constexpr WORD kCreationUpper = 0;
constexpr WORD kCreationLower = 100;

bool isUpDown(const ControlRow& row) { return row.className && std::strcmp(row.className, kUpDownClass) == 0; }

// The control made by `create`, given its font or, for an up-down, its
// starting limits.
template <typename Create>
HWND finishControl(const ControlRow& row, HFONT font, Create create) {
  HWND window = create();
  if (!window) return nullptr;
  if (isUpDown(row)) {
    SendMessageA(window, UDM_SETRANGE, 0, MAKELPARAM(kCreationUpper, kCreationLower));
    SendMessageA(window, UDM_SETPOS, 0, MAKELPARAM(0, 0));
  } else if (font) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return window;
}

}  // namespace

HWND createControl(HWND parent, HINSTANCE instance, const ControlRow& row, HFONT font) {
  // With UDS_ALIGNRIGHT and UDS_AUTOBUDDY an up-down places itself against
  // the right edge of the control made just before it and narrows that
  // control by its own width, once, as it is created. It is given no buddy
  // afterwards: naming the buddy again would narrow it a second time, and
  // naming none would undo the automatic one.
  return finishControl(row, font, [&] {
    return CreateWindowExA(row.exStyle, row.className, row.text, row.style, row.x, row.y, row.width, row.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
  });
}

void createControls(HWND parent, HINSTANCE instance, const ControlRow* rows, std::size_t count, HFONT font) {
  for (std::size_t i = 0; i < count; ++i) createControl(parent, instance, rows[i], font);
}

void createWideControls(HWND parent, HINSTANCE instance, const ControlRow* rows, std::size_t count, HFONT font) {
  for (std::size_t i = 0; i < count; ++i) {
    const ControlRow& row = rows[i];
    finishControl(row, font, [&] {
      const std::wstring className = wideFrom(kCp932, row.className);
      const std::wstring text = wideFrom(kCp932, row.text ? row.text : "");
      return CreateWindowExW(row.exStyle, className.c_str(), row.text ? text.c_str() : nullptr, row.style, row.x, row.y,
                             row.width, row.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                             instance, nullptr);
    });
  }
}

}  // namespace rovenza
