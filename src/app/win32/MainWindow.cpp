#include "app/win32/MainWindow.h"

#include "app/win32/Commands.h"
#include "app/win32/Drops.h"
#include "app/win32/EffectsSwitch.h"
#include "app/win32/PanelFeedItem.h"
#include "app/win32/PixelDotsSwitch.h"
#include "app/win32/Recording.h"
#include "app/win32/Settings.h"
#include "app/win32/SoundSwitch.h"
#include "app/win32/VehicleItem.h"
#include "app/win32/StartUp.h"
#include "board/win32/OpenSave.h"
#include "common/win32/Controls.h"
#include "common/win32/Scoped.h"
#include "panel/win32/PanelKeyboard.h"
#include "sound/win32/SoundPlayer.h"
#include "state/win32/AppState.h"

namespace rovenza {

const char kMainClassName[] = "NORMAL0";
const char kDialogClassName[] = "NORMALDLG";
const char kMainTitle[] = "RovenzaVer4";

namespace {

constexpr DWORD kSignStyle = 0x50000006;     // child, visible, white rectangle
constexpr DWORD kBitmapStaticType = 0x0E;    // OR-ed in: white rectangle (6) becomes bitmap (0x0E)
constexpr DWORD kFileListStyle = 0x40200003; // child, vertical scroll bar, notify, sorted; never shown

const ControlRow kMainControls[] = {
    {kSignWindow1, "STATIC", "", 0, kSignStyle, 83, 0, 124, 1600},
    {kSignWindow2, "STATIC", "", 0, kSignStyle, 221, 0, 124, 1022},
    {kFileList1, "LISTBOX", "", WS_EX_CLIENTEDGE, kFileListStyle, 363, 73, 65, 50},
    {kFileList2, "LISTBOX", "", WS_EX_CLIENTEDGE, kFileListStyle, 361, 132, 59, 45},
};

struct ClipSetUp {
  const char* className;
  int sign;
  int signId;
  int left;
};

const ClipSetUp kClips[] = {
    {"MakBase1", 0, kSignWindow1, 77},
    {"MakBase2", 1, kSignWindow2, 231},
};

constexpr int kClipTop = 26;
constexpr int kClipWidth = 123;
constexpr int kClipHeight = 57;

void createClipWindows(HWND window) {
  for (const ClipSetUp& c : kClips) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = app.instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = c.className;
    RegisterClassExA(&wc);
    clipOf(c.sign).setHandle(CreateWindowExA(0, c.className, "", WS_CHILD, 0, kClipTop, kClipWidth, kClipHeight,
                                            window, nullptr, app.instance, nullptr));
  }
}

// Everything that lives for the whole run, built at the end of WM_CREATE.
void postCreationSetUp(HWND window) {
  createClipWindows(window);
  for (const ClipSetUp& c : kClips) clipOf(c.sign).setParent(window);
  for (const ClipSetUp& c : kClips) {
    HWND sign = GetDlgItem(window, c.signId);
    signWindowOf(c.sign).setHandle(sign);
    SetWindowLongPtrA(sign, GWL_STYLE, GetWindowLongPtrA(sign, GWL_STYLE) | kBitmapStaticType);
  }
  for (const ClipSetUp& c : kClips) signWindowOf(c.sign).setParent(clipOf(c.sign).handle());
  for (const ClipSetUp& c : kClips) clipOf(c.sign).show(1);
  for (const ClipSetUp& c : kClips) {
    clipOf(c.sign).setLeft(c.left);
    clipOf(c.sign).setTop(kClipTop);
  }

  app.panelWindow = createNamedWindow(window, "Ctrl");
  ShowWindow(app.panelWindow, SW_SHOWNORMAL);
  app.splashWindow = createNamedWindow(window, "Splash");
  ShowWindow(app.splashWindow, SW_SHOWNORMAL);

  app.mainRef.setHandle(window);
  app.panelRef.setHandle(app.panelWindow);
  app.panelRef.centerOnScreen();

  app.fileLists[0].setHandle(GetDlgItem(window, kFileList1));
  app.fileLists[1].setHandle(GetDlgItem(window, kFileList2));

  app.templateFrames[0] = 1;
  app.templateFrames[1] = 1;

  // The signs' look is set before any picture is shown.
  startProgramEffects();
  startProgramPixelDots();
  loadSettings();
  startProgramSound();
  startPanelFeed();
  startVehicles();

  applyCornerRounding(0);
  applyCornerRounding(1);
}

LRESULT onCreate(HWND window) {
  app.mainWindow = window;
  SetMenu(window, app.menuBar.get());
  createControls(window, app.instance, kMainControls, app.mainFont.get());
  postCreationSetUp(window);
  DragAcceptFiles(window, TRUE);
  return 0;
}

LRESULT onPaint(HWND window) {
  paintBoardBackground(window, app.backgroundBitmap.get());
  return 0;
}

LRESULT onCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kCmdOpen:
      openLayoutCommand();
      break;
    case kCmdSaveAs:
      saveLayoutCommand();
      break;
    case kCmdExit:
      exitCommand();
      break;
    case kCmdSettings:
      settingsCommand();
      break;
    case kCmdHelpTopics:
      showHelp();
      break;
    case kCmdAbout:
      aboutCommand();
      break;
    case kCmdRecord:
      recordCommand();
      break;
    case kCmdSound:
      soundCommand();
      break;
    case kCmdMakeSign:
      makeSignCommand();
      break;
    case kCmdEffects:
      effectsCommand();
      break;
    case kCmdSettingBox:
      settingBoxCommand();
      break;
    case kCmdPanelFeed:
      panelFeedCommand();
      break;
    case kCmdOpenVehicle:
      openVehicleItem();
      break;
    case kCmdPixelDots:
      pixelDotsCommand();
      break;
    default:
      break;
  }
  return 0;
}

LRESULT onKeyDown(WPARAM key) {
  if (key == VK_F1) {
    showHelp();
  } else {
    panelKeyDown(key, false);
  }
  return 0;
}

LRESULT onClose(HWND window) {
  if (!confirmExit()) DestroyWindow(window);
  return 0;
}

LRESULT onDestroy(HWND window) {
  releaseSequence();
  SetMenu(window, nullptr);
  return 0;
}

}  // namespace

void releaseSequence() {
  endVehicles();
  endRecording();
  endPanelFeed();
  endSound();
  if (app.panelWindow) DestroyWindow(app.panelWindow);
  app.panelWindow = nullptr;
  app.backgroundBitmap.reset();
  // Destroying the bar takes its popups with it; the popups are destroyed
  // first so that each handle is released exactly once.
  for (ScopedMenu* menu : {&app.fileMenu, &app.settingsMenu, &app.helpMenu}) {
    if (menu->valid()) RemoveMenu(app.menuBar.get(), 0, MF_BYPOSITION);
    menu->reset();
  }
  app.menuBar.reset();
  for (ScopedFont AppState::*font : kWindowFonts) (app.*font).reset();
  app.faceBrush.reset();
  PostQuitMessage(0);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return onCreate(window);
    case WM_PAINT:
      return onPaint(window);
    case WM_CLOSE:
      return onClose(window);
    case WM_DESTROY:
      return onDestroy(window);
    case WM_KEYDOWN:
      return onKeyDown(wParam);
    case kOpenCommandLineMessage:
      openCommandLine();
      return 0;
    case WM_COMMAND:
      return onCommand(wParam);
    case WM_DROPFILES:
      dropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace rovenza
