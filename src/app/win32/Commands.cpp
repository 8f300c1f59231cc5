#include "app/win32/Commands.h"

#include "app/win32/AppState.h"
#include "app/win32/MainWindow.h"

namespace rovenza {

bool rollBusyGuard() { return true; }
void exitCommand() {}
void settingsCommand() {}
void aboutCommand() {}
void showHelp() {}
bool confirmExit() { return false; }
std::int32_t runModalWindow(HWND, const char*) { return 0; }
void endModalWindow(HWND, std::int32_t) {}

}  // namespace rovenza
