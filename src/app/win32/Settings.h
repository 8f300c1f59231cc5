#pragma once
// The settings file beside the program: main window and panel places.
#include <string>

namespace rovenza {

std::string settingsPath();
void loadSettings();
void saveSettings();

}  // namespace rovenza
