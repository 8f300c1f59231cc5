#pragma once
// The settings file beside the program: main window and panel places.
#include <string>

namespace rovenza {

// The program's own file; empty when its name cannot be had whole (a name
// cut short would put the files beside it somewhere else).
std::string programFilePath();
std::string settingsPath();
void loadSettings();
void saveSettings();

}  // namespace rovenza
