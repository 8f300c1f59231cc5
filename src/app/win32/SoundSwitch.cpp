#include "app/win32/SoundSwitch.h"

#include "app/SoundPlaces.h"
#include "app/win32/Settings.h"
#include "sound/win32/SoundPlayer.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"

namespace rovenza {

const char kSoundItemText[] = "音を鳴らす(&O)";

namespace {

void showSwitch(bool on) {
  if (app.settingsMenu) CheckMenuItem(app.settingsMenu.get(), kCmdSound, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

std::string soundSwitchFile() {
  const std::string program = programFilePath();
  return program.empty() ? std::string() : soundSwitchPath(program);
}

void startProgramSound() {
  const std::string file = soundSwitchFile();
  const bool on = file.empty() || GetPrivateProfileIntA(kSoundSection, kSoundKey, 1, file.c_str()) != 0;
  const std::string program = programFilePath();
  startSound(app.instance, program.empty() ? std::string() : soundsFolderBeside(program), on);
  showSwitch(on);
}

void soundCommand() {
  const bool on = !soundEnabled();
  setSoundEnabled(on);
  showSwitch(on);
  const std::string file = soundSwitchFile();
  // A switch that cannot be kept still works for this run; nothing is said.
  if (!file.empty()) WritePrivateProfileStringA(kSoundSection, kSoundKey, on ? "1" : "0", file.c_str());
}

}  // namespace rovenza
