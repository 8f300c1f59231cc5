#include "panel/win32/PanelKeyboard.h"

#include <commctrl.h>

#include "panel/KeyBindings.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

// How far the frame stands out from the group box, and its width: both
// outside every control of the panel.
constexpr int kFrameOffset = 2;
constexpr int kFrameWidth = 2;

bool secondSignHidden() { return app.layout.signs[1].kind == static_cast<std::uint8_t>(SignKind::Hidden); }

// The sign the keys act on: the 1st while the 2nd is hidden.
int drivenSign() { return app.panel.keyboardSign == 1 && !secondSignHidden() ? 1 : 0; }

// The frame's outer rectangle around the sign's group box, in the panel's
// client coordinates.
RECT frameRect(int sign) {
  RECT rect{};
  HWND group = GetDlgItem(app.panelWindow, kPanelGroups[sign].groupBox);
  if (!group) return rect;
  GetWindowRect(group, &rect);
  MapWindowPoints(nullptr, app.panelWindow, reinterpret_cast<POINT*>(&rect), 2);
  InflateRect(&rect, kFrameOffset, kFrameOffset);
  return rect;
}

// Repaints the four strips of the sign's frame: they lie outside every
// control, so nothing else is painted over.
void invalidateFrame(int sign) {
  const RECT r = frameRect(sign);
  const RECT strips[] = {{r.left, r.top, r.right, r.top + kFrameWidth},
                         {r.left, r.bottom - kFrameWidth, r.right, r.bottom},
                         {r.left, r.top, r.left + kFrameWidth, r.bottom},
                         {r.right - kFrameWidth, r.top, r.right, r.bottom}};
  for (const RECT& strip : strips) InvalidateRect(app.panelWindow, &strip, TRUE);
}

LRESULT CALLBACK controlKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR inEdit) {
  switch (message) {
    case WM_KEYDOWN:
      if (panelKeyDown(wParam, inEdit != 0)) return 0;
      break;
    case WM_CHAR:
      // Enter and Escape went to the panel: the field does not beep at them.
      if (inEdit && (wParam == '\r' || wParam == 0x1B)) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, controlKeys, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool panelKeyDown(WPARAM key, bool inEdit) {
  HWND panel = app.panelWindow;
  if (!panel || !IsWindowEnabled(panel)) return false;
  const KeyBinding binding = keyBindingFor(static_cast<unsigned>(key), drivenSign(), inEdit);
  switch (binding.action) {
    case KeyAction::None:
      return false;
    case KeyAction::SelectSign:
      selectKeyboardSign(binding.sign);
      return true;
    case KeyAction::PressKey:
      // The key's own rule: a disabled key does nothing.
      if (IsWindowEnabled(GetDlgItem(panel, binding.control))) runPanelCommand(binding.control);
      return true;
  }
  return false;
}

void attachPanelKeyboard(HWND panel) {
  constexpr UINT_PTR kSubclassId = 0x4B45;
  for (const PanelGroupIds& g : kPanelGroups) {
    const int keys[] = {g.reset, g.start, g.clear, g.forward, g.back, g.speedUpDown, g.intervalUpDown};
    for (int id : keys) SetWindowSubclass(GetDlgItem(panel, id), controlKeys, kSubclassId, 0);
    for (int d = 0; d <= 9; ++d) SetWindowSubclass(GetDlgItem(panel, g.digitFirst + d), controlKeys, kSubclassId, 0);
    for (int id : {g.speedEdit, g.intervalEdit}) SetWindowSubclass(GetDlgItem(panel, id), controlKeys, kSubclassId, 1);
  }
}

int keyboardSign() { return drivenSign(); }

void selectKeyboardSign(int sign) {
  if (sign != 0 && sign != 1) return;
  if (sign == 1 && secondSignHidden()) return;
  if (app.panel.keyboardSign == sign) return;
  app.panel.keyboardSign = sign;
  if (!app.panelWindow) return;
  invalidateFrame(0);
  invalidateFrame(1);
}

void drawKeyboardSignFrame(HDC dc) {
  if (!app.panelWindow) return;
  RECT rect = frameRect(drivenSign());
  HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
  for (int i = 0; i < kFrameWidth; ++i) {
    FrameRect(dc, &rect, brush);
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace rovenza
