#include "app/win32/Settings.h"

namespace rovenza {

std::string settingsPath() { return std::string(); }
void loadSettings() {}
void saveSettings() {}

}  // namespace rovenza
