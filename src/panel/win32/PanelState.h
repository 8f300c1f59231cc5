#pragma once
// State of the operation panel window.
#include <windows.h>

#include "panel/PanelIds.h"

namespace rovenza {

struct PanelState {
  HFONT displayFont = nullptr;                         // font of the two number displays
  HBITMAP keypadBitmaps[kKeyPictureCount] = {};        // key pictures, resources 200-214 in order
};

}  // namespace rovenza
