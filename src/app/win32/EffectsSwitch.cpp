#include "app/win32/EffectsSwitch.h"

#include <windows.h>

#include "app/SoundPlaces.h"
#include "app/win32/Settings.h"
#include "app/win32/StartUp.h"
#include "sign/LedLook.h"
#include "sign/win32/SignLook.h"
#include "state/win32/AppMessages.h"

namespace rovenza {

const char kEffectsItemText[] = "表示効果(&E)";

namespace {

// The dot pitch as the file gives it; empty when it gives none.
std::string keptDotPitchText(const std::string& file) {
  char text[32] = {};
  if (!file.empty()) GetPrivateProfileStringA(kEffectsSection, kDotPitchKey, "", text, sizeof text, file.c_str());
  return text;
}

void switchEffects(bool on, const std::string& file) {
  setSignLook(on, dotPitchFromText(keptDotPitchText(file)));
  checkSettingsItem(kCmdEffects, on);
}

}  // namespace

std::string effectsSwitchFile() {
  const std::string program = programFilePath();
  return program.empty() ? std::string() : effectsSwitchPath(program);
}

void startProgramEffects() {
  const std::string file = effectsSwitchFile();
  switchEffects(!file.empty() && GetPrivateProfileIntA(kEffectsSection, kEffectsKey, 0, file.c_str()) != 0, file);
}

void effectsCommand() {
  const bool on = !signLookOn();
  const std::string file = effectsSwitchFile();
  switchEffects(on, file);
  // A switch that cannot be kept still works for this run; nothing is said.
  if (file.empty()) return;
  WritePrivateProfileStringA(kEffectsSection, kEffectsKey, on ? "1" : "0", file.c_str());
  // The pitch is written once, for the user to find and change.
  if (keptDotPitchText(file).empty()) {
    WritePrivateProfileStringA(kEffectsSection, kDotPitchKey, std::to_string(kDefaultDotPitch).c_str(), file.c_str());
  }
}

}  // namespace rovenza
