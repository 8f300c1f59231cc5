#include "app/win32/SoundSwitch.h"

#include <cstring>

#include "app/SoundPlaces.h"
#include "sound/win32/SoundPlayer.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

constexpr char kSoundItem[] = "音を鳴らす(&O)";

std::string programPath() {
  char path[512] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // A name cut short by the buffer would put the files somewhere else.
  if (length == 0 || length >= sizeof path) return std::string();
  return std::string(path, length);
}

void showSwitch(bool on) {
  if (app.settingsMenu) CheckMenuItem(app.settingsMenu, kCmdSound, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

std::string soundSwitchFile() {
  const std::string program = programPath();
  return program.empty() ? std::string() : soundSwitchPath(program);
}

void appendSoundMenuItem(HMENU menu) {
  MENUITEMINFOA separator{};
  separator.cbSize = sizeof separator;
  separator.fMask = MIIM_FTYPE;
  separator.fType = MFT_SEPARATOR;
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &separator);
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  item.fType = MFT_STRING;
  item.fState = MFS_CHECKED;
  item.wID = kCmdSound;
  item.dwTypeData = const_cast<char*>(kSoundItem);
  item.cch = static_cast<UINT>(std::strlen(kSoundItem));
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

void startProgramSound() {
  const std::string file = soundSwitchFile();
  const bool on = file.empty() || GetPrivateProfileIntA(kSoundSection, kSoundKey, 1, file.c_str()) != 0;
  const std::string program = programPath();
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
