#include "app/win32/AppState.h"
#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"

namespace rovenza {

bool rollBusyGuard() { return true; }
void exitCommand() {}
bool confirmExit() { return false; }

}  // namespace rovenza
