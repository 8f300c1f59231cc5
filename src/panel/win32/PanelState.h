#pragma once
// State of the operation panel window.
#include <windows.h>

namespace rovenza {

struct PanelState {
  HFONT displayFont = nullptr;
};

}  // namespace rovenza
