#pragma once
// State of the splash and About windows.
#include <windows.h>

namespace rovenza {

struct SplashState {
  UINT_PTR splashTimer = 0;     // identifier of the display timer (id 200)
  HRGN splashRegion = nullptr;  // the window's region; owned by the window once given
};
struct AboutState {
  HBITMAP aboutBanner = nullptr;  // bitmap 101, shown by control 1000
  HICON aboutIcon = nullptr;      // icon 215, shown by control 1001
};

}  // namespace rovenza
