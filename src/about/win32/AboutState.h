#pragma once
// State of the splash and About windows.
#include <windows.h>

namespace rovenza {

struct SplashState {};
struct AboutState {};

}  // namespace rovenza
