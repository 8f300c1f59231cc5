#pragma once
// State of the splash and About windows.
#include <windows.h>

#include "common/win32/Scoped.h"

namespace rovenza {

struct SplashState {
  UINT_PTR splashTimer = 0;     // identifier of the display timer (id 200)
  HRGN splashRegion = nullptr;  // the window's region; the window owns it, not the splash
};
struct AboutState {
  ScopedBitmap aboutBanner;  // bitmap 101, shown by control 1000
  ScopedIcon aboutIcon;      // icon 215, shown by control 1001
};

}  // namespace rovenza
