// Leaving the program: the roll-busy guard shared by the menu commands, the
// exit question, and File > Exit.
#include "app/win32/AppState.h"
#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Settings.h"
#include "sign/win32/Roll.h"

namespace rovenza {

bool rollBusyGuard() {
  if (isRollRunning(0)) return false;
  return !isRollRunning(1);
}

bool confirmExit() {
  app.panelRef.enable(0);
  const int answer = MessageBoxA(app.mainWindow, "Rovenzaを終了します。よろしいですか？", "終了の確認",
                                 MB_YESNO | MB_ICONQUESTION);
  if (answer == IDNO) {
    app.panelRef.enable(1);
    app.panelRef.focus();
    return true;
  }
  // Both rolls stop at once, whether or not they run, before anything is saved.
  stopRoll(0);
  stopRoll(1);
  saveSettings();
  return false;
}

void exitCommand() {
  if (!confirmExit()) releaseSequence();
}

}  // namespace rovenza
