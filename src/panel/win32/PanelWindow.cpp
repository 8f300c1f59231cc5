#include "panel/win32/PanelWindow.h"

#include <commctrl.h>

#include <vector>

#include "common/win32/Controls.h"
#include "common/win32/Scoped.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "panel/win32/PanelKeyboard.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

HWND control(int id) { return app.panelWindow ? GetDlgItem(app.panelWindow, id) : nullptr; }

std::string controlText(int id) {
  HWND window = control(id);
  if (!window) return std::string();
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}


// Style bits of the panel's controls.
constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;               // 0x50000000
constexpr DWORD kGroupBox = kChildVisible | BS_GROUPBOX;             // 0x50000007
constexpr DWORD kKey = kChildVisible | WS_TABSTOP | BS_BITMAP;       // 0x50010080
constexpr DWORD kNotifyKey = kKey | BS_NOTIFY;                       // 0x50014080
constexpr DWORD kPlainKey = kChildVisible | BS_BITMAP;               // 0x50000080
constexpr DWORD kDisplay = kChildVisible | SS_RIGHT;                 // 0x50000002
constexpr DWORD kLabel = kChildVisible;                              // 0x50000000
constexpr DWORD kNumberEdit = kChildVisible | WS_TABSTOP | ES_NUMBER | ES_RIGHT;  // 0x50012002
// The up-downs write plain digits (no thousands separator): the edits are
// digits-only fields and every start reads their text as a number, which
// would stop at a separator ("1,000" would read as 1).
constexpr DWORD kUpDown =
    kChildVisible | UDS_ARROWKEYS | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;  // 0x500000B6

constexpr COLORREF kDisplayTextColour = RGB(255, 165, 100);
constexpr int kSpeedMax = 1000;
constexpr int kIntervalMax = 5000;

// Created in this order: each up-down takes the edit created just before it
// as its buddy.
const ControlRow kPanelControls[] = {
    {kPanelGroup1, "BUTTON", "１つ目の幕", 0, kGroupBox, 3, 2, 127, 180},
    {kPanelGroup2, "BUTTON", "２つ目の幕", 0, kGroupBox, 135, 2, 127, 180},
    {kPanelDisplay1, "STATIC", "0", WS_EX_CLIENTEDGE, kDisplay, 11, 15, 85, 24},
    {1008, "BUTTON", "0", 0, kKey, 12, 104, 26, 20},
    {1009, "BUTTON", "1", 0, kKey, 12, 83, 26, 20},
    {1010, "BUTTON", "2", 0, kKey, 41, 83, 26, 20},
    {1011, "BUTTON", "3", 0, kKey, 70, 83, 26, 20},
    {1012, "BUTTON", "4", 0, kKey, 12, 62, 26, 20},
    {1013, "BUTTON", "5", 0, kKey, 41, 62, 26, 20},
    {1014, "BUTTON", "6", 0, kKey, 70, 62, 26, 20},
    {1015, "BUTTON", "7", 0, kKey, 12, 41, 26, 20},
    {1016, "BUTTON", "8", 0, kKey, 41, 41, 26, 20},
    {1017, "BUTTON", "9", 0, kKey, 70, 41, 26, 20},
    {kPanelReset1, "BUTTON", "強", 0, kKey, 100, 15, 26, 20},
    {kPanelStart1, "BUTTON", "ON", 0, kNotifyKey, 70, 104, 26, 20},
    {kPanelDisplay2, "STATIC", "0", WS_EX_CLIENTEDGE, kDisplay, 142, 15, 85, 24},
    {1020, "BUTTON", "0", 0, kKey, 144, 104, 26, 20},
    {1021, "BUTTON", "1", 0, kKey, 144, 83, 26, 20},
    {1022, "BUTTON", "2", 0, kKey, 173, 83, 26, 20},
    {1023, "BUTTON", "3", 0, kKey, 201, 83, 26, 20},
    {1024, "BUTTON", "4", 0, kKey, 144, 62, 26, 20},
    {1025, "BUTTON", "5", 0, kKey, 173, 62, 26, 20},
    {1026, "BUTTON", "6", 0, kKey, 201, 62, 26, 20},
    {1027, "BUTTON", "7", 0, kKey, 144, 41, 26, 20},
    {1028, "BUTTON", "8", 0, kKey, 173, 41, 26, 20},
    {1029, "BUTTON", "9", 0, kKey, 201, 41, 26, 20},
    {kPanelStart2, "BUTTON", "ON", 0, kKey, 201, 104, 26, 20},
    {kPanelReset2, "BUTTON", "強", 0, kKey, 230, 15, 26, 20},
    {kPanelSpeedLabel1, "STATIC", "速度：", 0, kLabel, 12, 132, 30, 12},
    {kPanelSpeedEdit1, "EDIT", "0", WS_EX_CLIENTEDGE, kNumberEdit, 42, 129, 80, 20},
    {kPanelSpeedUpDown1, kUpDownClass, nullptr, 0, kUpDown, 104, 127, 19, 20},
    {kPanelIntervalLabel1, "STATIC", "間隔：", 0, kLabel, 12, 158, 30, 12},
    {kPanelIntervalEdit1, "EDIT", "0", WS_EX_CLIENTEDGE, kNumberEdit, 42, 154, 80, 20},
    {kPanelIntervalUpDown1, kUpDownClass, nullptr, 0, kUpDown, 106, 154, 17, 19},
    {kPanelSpeedLabel2, "STATIC", "速度：", 0, kLabel, 143, 132, 30, 12},
    {kPanelIntervalLabel2, "STATIC", "間隔：", 0, kLabel, 143, 158, 30, 12},
    {kPanelSpeedEdit2, "EDIT", "0", WS_EX_CLIENTEDGE, kNumberEdit, 172, 129, 80, 20},
    {kPanelSpeedUpDown2, kUpDownClass, nullptr, 0, kUpDown, 234, 128, 18, 19},
    {kPanelIntervalEdit2, "EDIT", "0", WS_EX_CLIENTEDGE, kNumberEdit, 172, 154, 80, 20},
    {kPanelIntervalUpDown2, kUpDownClass, nullptr, 0, kUpDown, 236, 153, 16, 22},
    {kPanelClear1, "BUTTON", "C", 0, kPlainKey, 41, 104, 26, 20},
    {kPanelClear2, "BUTTON", "C", 0, kPlainKey, 173, 104, 26, 20},
    {kPanelForward1, "BUTTON", "送", 0, kPlainKey, 100, 62, 26, 20},
    {kPanelBack1, "BUTTON", "戻", 0, kPlainKey, 100, 83, 26, 20},
    {kPanelForward2, "BUTTON", "送", 0, kPlainKey, 230, 62, 26, 20},
    {kPanelBack2, "BUTTON", "戻", 0, kPlainKey, 230, 83, 26, 20},
};

struct UpDownRange {
  int id;
  int max;
};
const UpDownRange kUpDownRanges[] = {
    {kPanelSpeedUpDown1, kSpeedMax},
    {kPanelSpeedUpDown2, kSpeedMax},
    {kPanelIntervalUpDown1, kIntervalMax},
    {kPanelIntervalUpDown2, kIntervalMax},
};
const int kUpDownPositionOrder[] = {kPanelSpeedUpDown1, kPanelIntervalUpDown1, kPanelSpeedUpDown2,
                                    kPanelIntervalUpDown2};

// Which key picture each picture button shows, in the order they are given.
struct KeyImage {
  int id;
  int picture;
};
const KeyImage kKeyImages[] = {
    {1008, 0}, {1009, 1}, {1010, 2}, {1011, 3}, {1012, 4}, {1013, 5}, {1014, 6}, {1015, 7}, {1016, 8}, {1017, 9},
    {kPanelReset1, kKeyPictureReset},
    {kPanelStart1, kKeyPictureStart},
    {1020, 0}, {1021, 1}, {1022, 2}, {1023, 3}, {1024, 4}, {1025, 5}, {1026, 6}, {1027, 7}, {1028, 8}, {1029, 9},
    {kPanelStart2, kKeyPictureStart},
    {kPanelReset2, kKeyPictureReset},
    {kPanelClear1, kKeyPictureClear},
    {kPanelClear2, kKeyPictureClear},
    {kPanelForward1, kKeyPictureForward},
    {kPanelBack1, kKeyPictureBack},
    {kPanelForward2, kKeyPictureForward},
    {kPanelBack2, kKeyPictureBack},
};

HFONT createDisplayFont() {
  return CreateFontA(22, 18, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック");
}

void giveDisplaysTheirFont(HWND window) {
  app.panel.displayFont.reset(createDisplayFont());
  for (const PanelGroupIds& g : kPanelGroups) {
    SendDlgItemMessageA(window, g.numberDisplay, WM_SETFONT, reinterpret_cast<WPARAM>(app.panel.displayFont.get()),
                        TRUE);
  }
}

void loadKeyPictures() {
  for (int i = 0; i < kKeyPictureCount; ++i) {
    HANDLE image = LoadImageA(app.instance, MAKEINTRESOURCEA(kKeyPictureFirst + i), IMAGE_BITMAP, 0, 0,
                              LR_DEFAULTSIZE);
    app.panel.keypadBitmaps[i].reset(static_cast<HBITMAP>(image));
  }
}

void finishSetUp(HWND window) {
  giveDisplaysTheirFont(window);
  for (const UpDownRange& r : kUpDownRanges) {
    SendDlgItemMessageA(window, r.id, UDM_SETRANGE, 0, MAKELPARAM(r.max, 0));
  }
  for (int id : kUpDownPositionOrder) SendDlgItemMessageA(window, id, UDM_SETPOS, 0, MAKELPARAM(0, 0));
  loadKeyPictures();
  for (const KeyImage& k : kKeyImages) {
    SendDlgItemMessageA(window, k.id, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(app.panel.keypadBitmaps[k.picture].get()));
  }
}

// A sign's group of keys and fields is disabled while that sign rolls.
void setPanelGroupEnabled(int sign, bool enabled) {
  if (!validSign(sign)) return;
  const PanelGroupIds& ids = kPanelGroups[sign];
  const int group[] = {ids.digitFirst,     ids.digitFirst + 1, ids.digitFirst + 2, ids.digitFirst + 3,
                       ids.digitFirst + 4, ids.digitFirst + 5, ids.digitFirst + 6, ids.digitFirst + 7,
                       ids.digitFirst + 8, ids.digitFirst + 9, ids.start,          ids.clear,
                       ids.forward,        ids.back,           ids.speedEdit,      ids.intervalEdit,
                       ids.speedUpDown,    ids.intervalUpDown};
  for (int id : group) EnableWindow(control(id), enabled ? TRUE : FALSE);
}

class PanelRollListener final : public RollListener {
 public:
  void rollStarted(int sign) override {
    setPanelGroupEnabled(sign, false);
    tellSettingBox(sign, true);
  }
  void rollStopped(int sign) override {
    setPanelGroupEnabled(sign, true);
    tellSettingBox(sign, false);
  }

 private:
  static void tellSettingBox(int sign, bool rolling) {
    if (app.settingBoxWindow) SendMessageA(app.settingBoxWindow, kSignRollingMessage, sign, rolling ? 1 : 0);
  }
};
PanelRollListener rollListener;

LRESULT onInitDialog(HWND window) {
  app.panelWindow = window;
  createControls(window, app.instance, kPanelControls, app.panelFont.get());
  finishSetUp(window);
  attachPanelKeyboard(window);
  setRollListener(&rollListener);
  return 0;
}

LRESULT onPaint(HWND window) {
  PaintDC paint(window);
  drawKeyboardSignFrame(paint.get());
  return 0;
}

// A key with no control focused (the focused key was disabled as its sign
// started to roll) comes as a system key; one with Alt held stays the system's.
LRESULT onSysKeyDown(HWND window, WPARAM wParam, LPARAM lParam) {
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  if (!(lParam & kAltDown) && panelKeyDown(wParam, false)) return 0;
  return DefWindowProcA(window, WM_SYSKEYDOWN, wParam, lParam);
}

LRESULT onCtlColorStatic(HWND window, WPARAM wParam, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  const int id = GetDlgCtrlID(control);
  if (GetParent(control) != window || (id != kPanelDisplay1 && id != kPanelDisplay2)) {
    return DefWindowProcA(window, WM_CTLCOLORSTATIC, wParam, lParam);
  }
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kDisplayTextColour);
  return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
}

LRESULT onCommand(WPARAM wParam) {
  if (HIWORD(wParam) == BN_CLICKED) runPanelCommand(LOWORD(wParam));
  return 0;
}

LRESULT onNotify(WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && header->code == static_cast<UINT>(UDN_DELTAPOS)) {
    onUpDownDelta(LOWORD(wParam), *reinterpret_cast<const NMUPDOWN*>(lParam));
  }
  return 0;
}

LRESULT onDestroy() {
  setRollListener(nullptr);
  app.panel.displayFont.reset();
  for (ScopedBitmap& picture : app.panel.keypadBitmaps) picture.reset();
  return 0;
}

}  // namespace

LRESULT CALLBACK panelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_CTLCOLORSTATIC:
      return onCtlColorStatic(window, wParam, lParam);
    case WM_COMMAND:
      return onCommand(wParam);
    case WM_NOTIFY:
      return onNotify(wParam, lParam);
    case WM_PAINT:
      return onPaint(window);
    case WM_PRINTCLIENT:
      drawKeyboardSignFrame(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_KEYDOWN:
      panelKeyDown(wParam, false);
      return 0;
    case WM_SYSKEYDOWN:
      return onSysKeyDown(window, wParam, lParam);
    case WM_ENABLE:
      // The setting box and a vehicle's further faces are usable exactly
      // when the panel is (a modal window or question covers them all).
      if (app.settingBoxWindow) EnableWindow(app.settingBoxWindow, static_cast<BOOL>(wParam));
      for (int face = 1; face < kMaxFaces; ++face) {
        if (app.faces[face].window) EnableWindow(app.faces[face].window, static_cast<BOOL>(wParam));
      }
      return 0;
    case WM_CLOSE:
      return 0;  // the panel stays until the program ends
    case WM_DESTROY:
      return onDestroy();
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

std::string numberDisplayText(int sign) {
  return validSign(sign) ? controlText(kPanelGroups[sign].numberDisplay) : std::string();
}

void setNumberDisplayText(int sign, const std::string& text) {
  if (validSign(sign)) SetWindowTextA(control(kPanelGroups[sign].numberDisplay), text.c_str());
}

std::string speedEditText(int sign) {
  return validSign(sign) ? controlText(kPanelGroups[sign].speedEdit) : std::string();
}

std::string intervalEditText(int sign) {
  return validSign(sign) ? controlText(kPanelGroups[sign].intervalEdit) : std::string();
}

void setSpeedPosition(int sign, std::int32_t position) {
  if (validSign(sign)) SendMessageA(control(kPanelGroups[sign].speedUpDown), UDM_SETPOS, 0, MAKELPARAM(position, 0));
}

void setIntervalPosition(int sign, std::int32_t position) {
  if (validSign(sign)) {
    SendMessageA(control(kPanelGroups[sign].intervalUpDown), UDM_SETPOS, 0, MAKELPARAM(position, 0));
  }
}

}  // namespace rovenza
