#pragma once
// State of the layout form while it is open.
#include <windows.h>

#include "common/win32/Scoped.h"
#include "state/win32/KindComboBox.h"

namespace rovenza {

// The form's tooltip control and what it was created with.
struct FormTooltips {
  HWND tooltip = nullptr;
  HWND owner = nullptr;
  RECT margin{};  // read from the tooltip control once, at creation
};

// Background brushes of the form's coloured edits, by colour.
enum FormBrush { kBrushBlack, kBrushBlue, kBrushCyan, kBrushYellow, kFormBrushCount };

struct FormState {
  KindComboBox kindCombo1;  // control 1051, the 1st sign's kind
  KindComboBox kindCombo2;  // control 1062, the 2nd sign's kind
  FormTooltips tooltips;
  ScopedBrush brushes[kFormBrushCount];
  ScopedBitmap helpButtonImage;       // bitmap 300 on the help button
  HBITMAP templateBitmap = nullptr;   // last template picture; the clipboard owns it, not the form
};

}  // namespace rovenza
