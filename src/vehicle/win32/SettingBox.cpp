#include "vehicle/win32/SettingBox.h"

#include <commctrl.h>

#include <string>

#include "common/Number.h"
#include "common/win32/Controls.h"
#include "common/win32/WideText.h"
#include "panel/KeyBindings.h"
#include "panel/Keypad.h"
#include "panel/win32/PanelCommands.h"
#include "panel/win32/PanelWindow.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "vehicle/CodePlan.h"
#include "vehicle/win32/Pages.h"
#include "vehicle/win32/VehicleOpen.h"

namespace rovenza {

namespace {

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;
constexpr DWORD kKey = kChildVisible | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDisplay = kChildVisible | SS_RIGHT | SS_CENTERIMAGE;
constexpr DWORD kCodeList = kChildVisible | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr UINT_PTR kSubclassId = 0x4258;

// Laid out as the panel's keypad: 7 8 9 / 4 5 6 / 1 2 3 / 0 C 設定.
const ControlRow kBoxControls[] = {
    {kBoxDisplay, "STATIC", "", WS_EX_CLIENTEDGE, kDisplay, 10, 10, 118, 26},
    {kBoxDigitFirst + 7, "BUTTON", "7", 0, kKey, 10, 44, 28, 22},
    {kBoxDigitFirst + 8, "BUTTON", "8", 0, kKey, 40, 44, 28, 22},
    {kBoxDigitFirst + 9, "BUTTON", "9", 0, kKey, 70, 44, 28, 22},
    {kBoxForward, "BUTTON", "送", 0, kKey, 100, 44, 28, 22},
    {kBoxDigitFirst + 4, "BUTTON", "4", 0, kKey, 10, 68, 28, 22},
    {kBoxDigitFirst + 5, "BUTTON", "5", 0, kKey, 40, 68, 28, 22},
    {kBoxDigitFirst + 6, "BUTTON", "6", 0, kKey, 70, 68, 28, 22},
    {kBoxBack, "BUTTON", "戻", 0, kKey, 100, 68, 28, 22},
    {kBoxDigitFirst + 1, "BUTTON", "1", 0, kKey, 10, 92, 28, 22},
    {kBoxDigitFirst + 2, "BUTTON", "2", 0, kKey, 40, 92, 28, 22},
    {kBoxDigitFirst + 3, "BUTTON", "3", 0, kKey, 70, 92, 28, 22},
    {kBoxDigitFirst + 0, "BUTTON", "0", 0, kKey, 10, 116, 28, 22},
    {kBoxClear, "BUTTON", "C", 0, kKey, 40, 116, 28, 22},
    {kBoxApply, "BUTTON", "設定", 0, kKey, 70, 116, 58, 22},
};

// The digits typed since the last "設定" or "C".
std::string entry;
// Which signs roll now, as the panel heard it.
bool rolling[kAllSigns] = {};

HWND control(int id) { return app.settingBoxWindow ? GetDlgItem(app.settingBoxWindow, id) : nullptr; }

void showInDisplay(const std::string& text) { SetWindowTextA(control(kBoxDisplay), text.c_str()); }

void updateApplyKey() {
  bool anyRolling = false;
  for (bool sign : rolling) anyRolling = anyRolling || sign;
  EnableWindow(control(kBoxApply), anyRolling ? FALSE : TRUE);
}

SignKind boardKind(int sign) { return effectiveKind(app.layout.signs[sign].kind); }

void enablePageKeys() {
  EnableWindow(control(kBoxForward), pagesRunning() ? TRUE : FALSE);
  EnableWindow(control(kBoxBack), pagesRunning() ? TRUE : FALSE);
}

CodePlan planOf(int code) {
  if (const Vehicle* vehicle = openedVehicle()) return planCode(*vehicle, code);
  const SignKind kinds[kSignsPerFace] = {boardKind(0), boardKind(1)};
  return planBoardCode(code, kinds);
}

// One sign's order: the main window's signs through "ON"'s own command (the
// panel's display shows the frame), a further face's signs alike at their
// layout's speed and interval.
void carryOut(const SignOrder& order) {
  const int sign = signOfFace(order.face, order.sign);
  if (!validAnySign(sign) || !clipOf(sign).handle()) return;
  if (order.step == SignStep::Blank) {
    stopRoll(sign);
    app.signStates[sign].targetFrame = -1;
    showLedFrame(sign, std::string());
    return;
  }
  const int frame = frameOnPage(order, 0);
  if (frame < 0) return;
  if (order.face == 0) {
    const std::string digits = formatNumber(frame);
    app.signStates[sign].entry = digits;
    setNumberDisplayText(sign, digits);
    rollSign(sign);
    return;
  }
  startRollAtLayoutPace(sign, frame);
}

// "設定": every sign of the plan at once; then its pages, if it has any.
void applyCode() {
  if (!IsWindowEnabled(control(kBoxApply))) return;
  const int code = parseInt(entry);
  const CodePlan plan = planOf(code);
  entry.clear();
  if (!plan.found) {
    showInDisplay("--");
    return;
  }
  stopPages();
  showInDisplay(formatNumber(code));
  for (const SignOrder& order : plan.orders) carryOut(order);
  startPages(plan);
  enablePageKeys();
}

// The vehicle's codes and names in the list; empty without a vehicle.
void fillCodeList() {
  HWND list = control(kBoxCodes);
  if (!list) return;
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  const Vehicle* vehicle = openedVehicle();
  if (!vehicle) return;
  for (const VehicleCode& code : vehicle->table.codes) {
    const std::wstring line = wideFrom(CP_UTF8, formatNumber(code.code) + "  " + code.name);
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (at >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), code.code);
  }
}

// Choosing a code in the list puts it in the display.
void onCodeChosen() {
  HWND list = control(kBoxCodes);
  const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (at < 0) return;
  entry = formatNumber(static_cast<int>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0)));
  showInDisplay(entry);
}

void pressKey(int id) {
  if (!IsWindowEnabled(control(id))) return;
  if (id >= kBoxDigitFirst && id <= kBoxDigitFirst + 9) {
    entry = entryAfterDigit(entry, id - kBoxDigitFirst);
    showInDisplay(entry);
  } else if (id == kBoxClear) {
    entry.clear();
    showInDisplay(entry);
  } else if (id == kBoxApply) {
    applyCode();
  } else if (id == kBoxForward || id == kBoxBack) {
    stepPages(id == kBoxForward ? +1 : -1);
  }
}

// The keyboard's key for the box's keys, as the panel's keys answer it.
bool boxKeyDown(WPARAM key) {
  const KeyBinding binding = keyBindingFor(static_cast<unsigned>(key), 0, false);
  if (binding.action != KeyAction::PressKey) return false;
  const PanelCommand command = panelCommandFor(binding.control);
  switch (command.key) {
    case PanelKey::Digit:
      pressKey(kBoxDigitFirst + command.digit);
      return true;
    case PanelKey::Clear:
      pressKey(kBoxClear);
      return true;
    case PanelKey::Start:
      pressKey(kBoxApply);
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK controlKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_KEYDOWN && boxKeyDown(wParam)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, controlKeys, id);
  return DefSubclassProc(window, message, wParam, lParam);
}

BOOL CALLBACK attachKeys(HWND child, LPARAM) {
  SetWindowSubclass(child, controlKeys, kSubclassId, 0);
  return TRUE;
}

LRESULT onInitDialog(HWND window) {
  app.settingBoxWindow = window;
  createControls(window, app.instance, kBoxControls, app.panelFont.get());
  // The codes' names are Unicode: the list is a wide window.
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", kCodeList, 138, 10, 160, 128, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBoxCodes)), app.instance, nullptr);
  if (list) SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(app.panelFont.get()), FALSE);
  // "送" / "戻" step through pages while a code's pages alternate.
  enablePageKeys();
  fillCodeList();
  entry.clear();
  for (int sign = 0; sign < kAllSigns; ++sign) rolling[sign] = isRollRunning(sign);
  updateApplyKey();
  EnumChildWindows(window, attachKeys, 0);
  if (app.panelWindow && !IsWindowEnabled(app.panelWindow)) EnableWindow(window, FALSE);
  return 0;
}

}  // namespace

void refreshSettingBox() {
  if (!app.settingBoxWindow) return;
  fillCodeList();
  enablePageKeys();
}

LRESULT CALLBACK settingBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_COMMAND:
      if (LOWORD(wParam) == kBoxCodes) {
        if (HIWORD(wParam) == LBN_SELCHANGE) onCodeChosen();
      } else if (HIWORD(wParam) == BN_CLICKED) {
        pressKey(LOWORD(wParam));
      }
      return 0;
    case WM_KEYDOWN:
      if (boxKeyDown(wParam)) return 0;
      break;
    case WM_SYSKEYDOWN:
      // With the focused key greyed the keys come as system keys; Alt stays the system's.
      if (!(lParam & (LPARAM{1} << 29)) && boxKeyDown(wParam)) return 0;
      break;
    case kSignRollingMessage:
      if (validAnySign(static_cast<int>(wParam))) rolling[wParam] = lParam != 0;
      updateApplyKey();
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      app.settingBoxWindow = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace rovenza
