#include "app/win32/Recording.h"

#include <windows.h>

#include <string>

#include "app/win32/MainWindow.h"
#include "app/win32/PanelFeedItem.h"
#include "board/win32/OpenSave.h"
#include "layout/FileNames.h"
#include "record/win32/Recorder.h"
#include "state/win32/AppState.h"

namespace rovenza {

const char kRecordItemText[] = "録画(&R)...";
const char kStopRecordItemText[] = "録画停止(&R)";
const char kRecordingTitle[] = "RovenzaVer4 - 録画中";
const char kRecordFilter[] = "GIFアニメーション(*.gif)\0*.gif\0";
const char kRecordTitle[] = "名前をつけて録画";

namespace {

// The menu item's text and the main window's title say whether a recording runs.
void showRecording(bool running) {
  if (app.fileMenu) {
    ModifyMenuA(app.fileMenu.get(), kCmdRecord, MF_BYCOMMAND | MF_STRING, kCmdRecord,
                running ? kStopRecordItemText : kRecordItemText);
  }
  showMainTitle(running);
}

// A recording that stopped because its file could not be written.
class MenuRecordingListener : public RecordingListener {
 public:
  void recordingStopped() override { showRecording(false); }
};

MenuRecordingListener menuListener;

void stopAndShow() {
  const bool written = stopRecording();
  showRecording(false);
  if (!written) showRecordingFailure(app.mainWindow);
}

}  // namespace

void recordCommand() {
  if (isRecording()) {
    stopAndShow();
    return;
  }
  app.panelRef.enable(0);
  SystemError failure = 0;
  const std::string path = showFileDialog(app.mainWindow, true, kRecordFilter, kRecordTitle, &failure);
  app.panelRef.enable(1);
  app.panelRef.focus();
  if (path.empty()) {
    if (failure != 0) showRecordingFailure(app.mainWindow);
    return;
  }
  setRecordingListener(&menuListener);
  if (!startRecording(app.mainWindow, withExtension(path, ".gif"))) {
    showRecordingFailure(app.mainWindow);
    return;
  }
  showRecording(true);
}

void endRecording() {
  if (isRecording()) stopAndShow();
}

}  // namespace rovenza
