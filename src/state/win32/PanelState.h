#pragma once
// State of the operation panel window.
#include <windows.h>


namespace rovenza {

// The key pictures, bitmap resources kKeyPictureFirst (panel/PanelIds.h) on.
constexpr int kKeyPictureCount = 15;

struct PanelState {
  HFONT displayFont = nullptr;                         // font of the two number displays
  HBITMAP keypadBitmaps[kKeyPictureCount] = {};        // key pictures, resources 200-214 in order
};

}  // namespace rovenza
