#include "sign/win32/SignWindow.h"

#include <commctrl.h>

#include <cstdint>

#include "app/win32/AppState.h"
#include "sign/win32/Roll.h"

namespace rovenza {

namespace {

constexpr UINT_PTR kSubclassId = 0x5347;  // one handler per sign window

LRESULT onRollStep(int sign, WPARAM serial, LPARAM offset) {
  return applyRollStep(sign, static_cast<std::uint32_t>(serial), static_cast<std::int32_t>(offset)) ? 1 : 0;
}

LRESULT onRollEnd(int sign, WPARAM serial) {
  finishRoll(sign, static_cast<std::uint32_t>(serial));
  return 0;
}

// A roll thread must not outlive the window it moves.
void onDestroy(int sign) { stopRoll(sign); }

LRESULT CALLBACK signWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR sign) {
  switch (message) {
    case kRollStepMessage:
      return onRollStep(static_cast<int>(sign), wParam, lParam);
    case kRollEndMessage:
      return onRollEnd(static_cast<int>(sign), wParam);
    case WM_DESTROY:
      onDestroy(static_cast<int>(sign));
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, signWindowProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void attachSignWindow(int sign) {
  if (sign != 0 && sign != 1) return;
  HWND window = signWindowOf(sign).handle();
  if (window) SetWindowSubclass(window, signWindowProc, kSubclassId, static_cast<DWORD_PTR>(sign));
}

}  // namespace rovenza
