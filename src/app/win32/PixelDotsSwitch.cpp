#include "app/win32/PixelDotsSwitch.h"

#include <windows.h>

#include <string>

#include "app/SoundPlaces.h"
#include "app/win32/EffectsSwitch.h"
#include "app/win32/StartUp.h"
#include "layout/Layout.h"
#include "sign/win32/PixelDots.h"
#include "state/win32/AppMessages.h"

namespace rovenza {

const char kPixelDotsItemText[] = "LEDを1画素1ドットで表示(&D)";

namespace {

// The item's own state: a vehicle file may set the board's signs otherwise.
bool itemOn = false;

void switchPixelDots(bool on) {
  itemOn = on;
  for (int sign = 0; sign < kSignCount; ++sign) setPixelDots(sign, on);
  checkSettingsItem(kCmdPixelDots, on);
}

}  // namespace

void startProgramPixelDots() {
  const std::string file = effectsSwitchFile();
  switchPixelDots(!file.empty() && GetPrivateProfileIntA(kEffectsSection, kPixelDotsKey, 0, file.c_str()) != 0);
}

void boardPixelDotsAsItem() { switchPixelDots(itemOn); }

void pixelDotsCommand() {
  const bool on = !itemOn;
  switchPixelDots(on);
  const std::string file = effectsSwitchFile();
  // A switch that cannot be kept still works for this run; nothing is said.
  if (!file.empty()) WritePrivateProfileStringA(kEffectsSection, kPixelDotsKey, on ? "1" : "0", file.c_str());
}

}  // namespace rovenza
