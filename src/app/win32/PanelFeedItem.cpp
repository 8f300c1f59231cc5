#include "app/win32/PanelFeedItem.h"

#include <windows.h>

#include <string>

#include "app/win32/MainWindow.h"
#include "app/win32/Recording.h"
#include "app/win32/Settings.h"
#include "app/win32/StartUp.h"
#include "feed/PanelSettings.h"
#include "feed/win32/PanelFeed.h"
#include "feed/win32/PanelFeedWindow.h"
#include "record/win32/Recorder.h"
#include "state/win32/AppState.h"

namespace rovenza {

const char kPanelFeedItemText[] = "LEDパネルへ送信(&P)...";
const char kFeedingTitleEnd[] = " - LEDパネルへ送信中";

namespace {

class TitleFeedListener : public FeedListener {
 public:
  void feedSwitched(bool) override { showMainTitle(isRecording()); }
};

TitleFeedListener titleListener;

}  // namespace

void startPanelFeed() {
  const std::string program = programFilePath();
  setPanelFeedFile(program.empty() ? std::string() : panelFilePath(program));
  setFeedListener(&titleListener);
}

void panelFeedCommand() {
  HWND window = app.feedWindow ? app.feedWindow : createNamedWindow(app.mainWindow, "Feed");
  if (!window) return;
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

void showMainTitle(bool recording) {
  if (!app.mainWindow) return;
  std::string title = recording ? kRecordingTitle : kMainTitle;
  if (anyFeed()) title += kFeedingTitleEnd;
  SetWindowTextA(app.mainWindow, title.c_str());
}

void endPanelFeed() {
  setFeedListener(nullptr);
  endFeeds();
}

}  // namespace rovenza
