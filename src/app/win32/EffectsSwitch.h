#pragma once
// The signs' realistic look at the program's level: its menu item in 設定,
// and the switch and the LED dot pitch kept in an INI file beside the
// program.
#include <string>

namespace rovenza {

// The switch's item in 設定, after the sound's.
extern const char kEffectsItemText[];
// Sets the signs' look as the switch was left (off when never set) with the
// dot pitch of the file; checks the menu item to match.
void startProgramEffects();
// The menu item: turns the look on or off (the dot pitch read again) and
// keeps the choice.
void effectsCommand();
// The INI file the switch is kept in.
std::string effectsSwitchFile();

}  // namespace rovenza
