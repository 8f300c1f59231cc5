#pragma once
// State of the operation panel window.
#include <windows.h>

#include "common/win32/Scoped.h"

namespace rovenza {

// The key pictures, bitmap resources kKeyPictureFirst (panel/PanelIds.h) on.
constexpr int kKeyPictureCount = 15;

struct PanelState {
  ScopedFont displayFont;                         // font of the two number displays
  ScopedBitmap keypadBitmaps[kKeyPictureCount];   // key pictures, resources 200-214 in order
  int keyboardSign = 0;                           // the sign the keyboard drives (0 or 1)
};

}  // namespace rovenza
