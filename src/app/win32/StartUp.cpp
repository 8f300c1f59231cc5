#include "app/win32/StartUp.h"

#include <commctrl.h>

#include <cstring>

#include "about/win32/SplashWindow.h"
#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"
#include "app/win32/EffectsSwitch.h"
#include "app/win32/PanelFeedItem.h"
#include "app/win32/Recording.h"
#include "app/win32/SoundSwitch.h"
#include "layout/Qv4File.h"
#include "feed/win32/PanelFeedWindow.h"
#include "maker/win32/MakerWindow.h"
#include "panel/win32/PanelWindow.h"
#include "resources/resource.h"
#include "state/win32/AppState.h"
#include "state/win32/DialogWindow.h"
#include "vehicle/win32/SettingBox.h"
#include "vehicle/win32/VehicleOpen.h"

namespace rovenza {

AppState app;

namespace {

constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;  // 0x000B
constexpr DWORD kMainStyle = 0x14CA0000;  // visible, clip siblings, caption, system menu, minimize box
constexpr int kMainSize = 450;

void registerClass(const char* name, WNDPROC procedure, HICON icon, HICON smallIcon, HBRUSH background) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = kClassStyle;
  wc.lpfnWndProc = procedure;
  wc.hInstance = app.instance;
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

void insertItem(HMENU menu, const char* text, UINT id, HMENU popup) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  if (text) {
    item.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | (popup ? MIIM_SUBMENU : 0);
    item.fType = MFT_STRING;
    item.fState = 0;
    item.wID = id;
    item.hSubMenu = popup;
    item.dwTypeData = const_cast<char*>(text);
    item.cch = static_cast<UINT>(std::strlen(text));
  } else {
    item.fMask = MIIM_TYPE;
    item.fType = MFT_SEPARATOR;
  }
  InsertMenuItemA(menu, 0, TRUE, &item);
}

// Every item goes in at position 0, so each menu is built from its last item
// to its first.
void buildMenu() {
  app.menuBar.reset(CreateMenu());
  app.helpMenu.reset(CreatePopupMenu());
  app.settingsMenu.reset(CreatePopupMenu());
  app.fileMenu.reset(CreatePopupMenu());

  insertItem(app.helpMenu.get(), "バージョン情報(&V)...", kCmdAbout, nullptr);
  insertItem(app.helpMenu.get(), nullptr, 0, nullptr);
  insertItem(app.helpMenu.get(), "トピック(&T)...", kCmdHelpTopics, nullptr);
  insertItem(app.menuBar.get(), "ヘルプ(&H)", 0, app.helpMenu.get());

  insertItem(app.settingsMenu.get(), kPanelFeedItemText, kCmdPanelFeed, nullptr);
  insertItem(app.settingsMenu.get(), kSettingBoxItemText, kCmdSettingBox, nullptr);
  insertItem(app.settingsMenu.get(), kEffectsItemText, kCmdEffects, nullptr);
  insertItem(app.settingsMenu.get(), kSoundItemText, kCmdSound, nullptr);
  insertItem(app.settingsMenu.get(), nullptr, 0, nullptr);
  insertItem(app.settingsMenu.get(), "設定(&S)...", kCmdSettings, nullptr);
  insertItem(app.menuBar.get(), "設定(&S)", 0, app.settingsMenu.get());

  insertItem(app.fileMenu.get(), "終了(&X)", kCmdExit, nullptr);
  insertItem(app.fileMenu.get(), nullptr, 0, nullptr);
  insertItem(app.fileMenu.get(), kOpenVehicleItemText, kCmdOpenVehicle, nullptr);
  insertItem(app.fileMenu.get(), kMakeSignItemText, kCmdMakeSign, nullptr);
  insertItem(app.fileMenu.get(), kRecordItemText, kCmdRecord, nullptr);
  insertItem(app.fileMenu.get(), "名前をつけて保存(&S)...", kCmdSaveAs, nullptr);
  insertItem(app.fileMenu.get(), "開く(&O)...", kCmdOpen, nullptr);
  insertItem(app.menuBar.get(), "ファイル(&F)", 0, app.fileMenu.get());
}

constexpr int kPanelHeight = 211;
// Outer size of the sign maker's window.
constexpr int kMakerWidth = 868;
constexpr int kMakerHeight = 508;

// The panel starts wide enough for both signs' groups.
const DialogWindow kNamedWindows[] = {
    {"Ctrl",
     {0, kDialogClassName, "ｺﾝﾄﾛｰﾙｳｨﾝﾄﾞｳ", 0, WS_CAPTION, CW_USEDEFAULT, CW_USEDEFAULT, kPanelWidthTwoSigns,
      kPanelHeight},
     panelWindowProc,
     &AppState::panelWindow},
    {"Splash",
     {0, kDialogClassName, "", WS_EX_STATICEDGE | WS_EX_TOPMOST, WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT, 456,
      295},
     splashWindowProc,
     &AppState::splashWindow},
    {"Maker",
     {0, kDialogClassName, kMakerTitle, 0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
      kMakerWidth, kMakerHeight},
     makerWindowProc,
     &AppState::makerWindow,
     true},
    {"Box",
     {0, kDialogClassName, kSettingBoxTitle, 0, WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
      kSettingBoxWidth, kSettingBoxHeight},
     settingBoxProc,
     &AppState::settingBoxWindow},
    {"Feed",
     {0, kDialogClassName, kPanelFeedTitle, 0, WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 600, 200},
     panelFeedWindowProc,
     &AppState::feedWindow},
};

}  // namespace

void checkSettingsItem(UINT command, bool on) {
  if (app.settingsMenu) CheckMenuItem(app.settingsMenu.get(), command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

HFONT createProgramFont() {
  return CreateFontA(-12, 0, 0, 0, 400, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_STROKE_PRECIS,
                     CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS | DEFAULT_PITCH, "ＭＳ Ｐゴシック");
}

HWND createNamedWindow(HWND owner, const char* key) {
  const DialogWindow* named = findDialogWindow(kNamedWindows, key);
  return named ? createDialogWindow(owner, *named) : nullptr;
}

HWND startUp(HINSTANCE instance) {
  app.instance = instance;

  INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
  InitCommonControlsEx(&controls);

  for (ScopedFont AppState::*font : kWindowFonts) (app.*font).reset(createProgramFont());

  app.faceBrush.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));

  buildMenu();

  registerClass(kDialogClassName, DefWindowProcA, LoadIconA(nullptr, IDI_APPLICATION),
                LoadIconA(nullptr, IDI_WINLOGO), app.faceBrush.get());

  HICON programIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  registerClass(kMainClassName, mainWindowProc, programIcon, programIcon, app.faceBrush.get());

  return CreateWindowExA(0, kMainClassName, kMainTitle, kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT, kMainSize,
                         kMainSize, nullptr, nullptr, instance, nullptr);
}

void dispatchProgramMessage(MSG& msg, HWND modal) {
  if (app.makerWindow && IsDialogMessageW(app.makerWindow, &msg)) return;
  if (modal && IsDialogMessageW(modal, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void runMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    dispatchProgramMessage(msg, nullptr);
  }
}

}  // namespace rovenza
