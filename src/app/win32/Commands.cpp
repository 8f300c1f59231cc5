#include "app/win32/Commands.h"

#include "app/win32/AppState.h"
#include "app/win32/MainWindow.h"

namespace rovenza {

void settingsCommand() {}
void aboutCommand() {}
void showHelp() {}
std::int32_t runModalWindow(HWND, const char*) { return 0; }
void endModalWindow(HWND, std::int32_t) {}

}  // namespace rovenza
