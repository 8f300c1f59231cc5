#pragma once
// The sound at the program's level: its menu item in 設定, the switch kept in
// an INI file beside the program, and the user's sounds folder.
#include <windows.h>

#include <string>

namespace rovenza {

// The switch's item in 設定, below a separator.
extern const char kSoundItemText[];
// Starts the sound as the switch was left (on when never set), with the
// sounds in the folder beside the program; checks the menu item to match.
void startProgramSound();
// The menu item: turns the sound on or off and keeps the choice.
void soundCommand();
// The INI file the switch is kept in.
std::string soundSwitchFile();

}  // namespace rovenza
