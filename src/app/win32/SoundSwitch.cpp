#include "app/win32/SoundSwitch.h"

#include "app/SoundPlaces.h"
#include "app/win32/Settings.h"
#include "app/win32/StartUp.h"
#include "sound/win32/SoundPlayer.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"

namespace rovenza {

const char kSoundItemText[] = "音を鳴らす(&O)";

std::string soundSwitchFile() {
  const std::string program = programFilePath();
  return program.empty() ? std::string() : soundSwitchPath(program);
}

void startProgramSound() {
  const std::string file = soundSwitchFile();
  const bool on = file.empty() || GetPrivateProfileIntA(kSoundSection, kSoundKey, 1, file.c_str()) != 0;
  const std::string program = programFilePath();
  startSound(app.instance, program.empty() ? std::string() : soundsFolderBeside(program), on);
  checkSettingsItem(kCmdSound, on);
}

void soundCommand() {
  const bool on = !soundEnabled();
  setSoundEnabled(on);
  checkSettingsItem(kCmdSound, on);
  const std::string file = soundSwitchFile();
  // A switch that cannot be kept still works for this run; nothing is said.
  if (!file.empty()) WritePrivateProfileStringA(kSoundSection, kSoundKey, on ? "1" : "0", file.c_str());
}

}  // namespace rovenza
