#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Recording.h"
#include "app/win32/Settings.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

const char kExitQuestion[] = "Rovenzaを終了します。よろしいですか？";
const char kExitCaption[] = "終了の確認";

}  // namespace

void exitCommand() {
  if (!confirmExit()) releaseSequence();
}

bool confirmExit() {
  app.panelRef.enable(0);
  const int answer = MessageBoxA(app.mainWindow, kExitQuestion, kExitCaption, MB_YESNO | MB_ICONQUESTION);
  if (answer == IDNO) {
    app.panelRef.enable(1);
    app.panelRef.focus();
    return true;
  }
  // Every roll stops before anything is saved or released.
  for (int sign = 0; sign < kAllSigns; ++sign) stopRoll(sign);
  endRecording();
  saveSettings();
  return false;
}

}  // namespace rovenza
