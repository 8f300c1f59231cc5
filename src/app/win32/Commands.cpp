#include "app/win32/Commands.h"

#include <string>
#include <string_view>

#include "about/win32/AboutWindow.h"
#include "app/win32/Help.h"
#include "app/win32/MainWindow.h"
#include "app/win32/StartUp.h"
#include "common/Cp932.h"
#include "form/win32/LayoutForm.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"
#include "state/win32/DialogWindow.h"
#include "vehicle/win32/FaceWindows.h"

namespace rovenza {

namespace {

constexpr DWORD kModalStyle = WS_CAPTION;  // 0x00C00000: caption only, no system menu

const DialogWindow kModalWindows[] = {
    {"About",
     {0, kDialogClassName, "Rovenzaのバージョン情報", 0, kModalStyle, CW_USEDEFAULT, CW_USEDEFAULT, 455, 159},
     aboutWindowProc,
     &AppState::aboutWindow},
    {"Set",
     {0, kDialogClassName, "設定", 0, kModalStyle, CW_USEDEFAULT, CW_USEDEFAULT, 600, 448},
     layoutFormProc,
     &AppState::formWindow},
};

// The nested loop: runs until the quit message that endModalWindow posts,
// which it takes from the queue so that the outer loop never sees it.
std::int32_t runNestedLoop(HWND window) {
  MSG msg{};
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<std::int32_t>(msg.wParam);
    if (got == -1) return 0;
    dispatchProgramMessage(msg, window);
  }
}

// The Settings and About commands: the panel stays disabled while the modal
// window runs, and gets the focus back afterwards.
void runModalCommand(const char* key) {
  if (!rollBusyGuard()) return;
  EnableWindow(app.panelWindow, FALSE);
  runModalWindow(app.mainWindow, key);
  EnableWindow(app.panelWindow, TRUE);
  SetFocus(app.panelWindow);
}

// HtmlHelpA from hhctrl.ocx, loaded the first time help is asked for and kept
// for the rest of the run (the viewer window lives in that library).
HWND WINAPI systemHtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
  static HelpViewer htmlHelp = [] {
    HMODULE library = LoadLibraryA("hhctrl.ocx");
    return library ? reinterpret_cast<HelpViewer>(GetProcAddress(library, "HtmlHelpA")) : nullptr;
  }();
  return htmlHelp ? htmlHelp(caller, file, command, data) : nullptr;
}

HelpViewer helpViewer = systemHtmlHelp;

}  // namespace

HelpViewer setHelpViewer(HelpViewer viewer) {
  HelpViewer previous = helpViewer;
  helpViewer = viewer ? viewer : systemHtmlHelp;
  return previous;
}

void settingsCommand() { runModalCommand("Set"); }

void aboutCommand() { runModalCommand("About"); }

const char kMakeSignItemText[] = "幕を作る(&M)...";

void makeSignCommand() {
  HWND window = app.makerWindow ? app.makerWindow : createNamedWindow(app.mainWindow, "Maker");
  if (!window) return;
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

const char kSettingBoxItemText[] = "設定器(&B)...";

void settingBoxCommand() {
  HWND window = app.settingBoxWindow;
  if (!window) {
    window = createNamedWindow(app.mainWindow, "Box");
    if (!window) return;
    // Below the panel, or above it when the screen ends there.
    RECT panel{};
    GetWindowRect(app.panelWindow, &panel);
    RECT box{};
    GetWindowRect(window, &box);
    const int height = box.bottom - box.top;
    const int top = panel.bottom + height <= GetSystemMetrics(SM_CYSCREEN) ? panel.bottom : panel.top - height;
    SetWindowPos(window, nullptr, panel.left, top > 0 ? top : 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A vehicle's faces closed by their close boxes come back with the box.
  showFaceWindows();
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

void showHelp() {
  char program[512] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  const std::string file = replaceLastFour(std::string_view(program, length), ".chm");
  helpViewer(app.mainWindow, file.c_str(), kHelpDisplayToc, 0);
}

std::int32_t runModalWindow(HWND owner, const char* key) {
  const DialogWindow* modal = findDialogWindow(kModalWindows, key);
  if (!modal) return 0;
  HWND window = createDialogWindow(owner, *modal);
  // Nothing could end a loop without its window, and the owner would stay
  // disabled: a failed creation ends the command here.
  if (!window) return 0;
  ShowWindow(window, SW_SHOWNORMAL);
  EnableWindow(owner, FALSE);
  const std::int32_t code = runNestedLoop(window);
  app.*modal->slot = nullptr;
  return code;
}

}  // namespace rovenza
