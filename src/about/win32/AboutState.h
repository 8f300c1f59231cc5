#pragma once
// State of the splash and About windows.
#include <windows.h>

namespace rovenza {

struct SplashState {};
struct AboutState {
  HBITMAP aboutBanner = nullptr;  // bitmap 101, shown by control 1000
  HICON aboutIcon = nullptr;      // icon 215, shown by control 1001
};

}  // namespace rovenza
