#include "sign/win32/SignWindow.h"

#include <commctrl.h>

#include <cstdint>

#include "common/win32/Scoped.h"
#include "sign/SignWindowPlace.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"

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

// The size of the bitmap the static shows; 0 x 0 without one.
SIZE shownPictureSize(HWND window, HBITMAP& picture) {
  picture = reinterpret_cast<HBITMAP>(SendMessageA(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info{};
  if (!picture || !GetObjectA(picture, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

// A strip taller than the window: the window shows the rows from the one its
// place holds at its top. False for any other picture, which the static
// paints itself.
bool onPaint(int sign, HWND window) {
  HBITMAP picture = nullptr;
  if (shownPictureSize(window, picture).cy <= kMaxWindowExtent) return false;
  PaintDC dc(window);
  MemoryDC memory(dc.get());
  SelectGuard select(memory.get(), picture);
  const RECT& area = dc.paint().rcPaint;
  BitBlt(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left,
         area.top + app.signStates[sign].windowFirstRow, SRCCOPY);
  return true;
}

LRESULT CALLBACK signWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR sign) {
  switch (message) {
    case kRollStepMessage:
      return onRollStep(static_cast<int>(sign), wParam, lParam);
    case kRollEndMessage:
      return onRollEnd(static_cast<int>(sign), wParam);
    case WM_PAINT:
      if (onPaint(static_cast<int>(sign), window)) return 0;
      break;
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

void setSignWindowOffset(int sign, std::int32_t stripOffset, UINT flags) {
  if (sign != 0 && sign != 1) return;
  HWND window = signWindowOf(sign).handle();
  if (!window) return;
  constexpr UINT kKeepOrder = SWP_NOZORDER | SWP_NOACTIVATE;
  HBITMAP picture = nullptr;
  const SIZE size = shownPictureSize(window, picture);
  std::int32_t& firstRow = app.signStates[sign].windowFirstRow;
  const SignWindowPlace place = signWindowPlace(size.cy, clipOf(sign).height(), stripOffset, firstRow);
  if (size.cy <= kMaxWindowExtent) {
    firstRow = 0;
    SetWindowPos(window, nullptr, 0, stripOffset, 0, 0, SWP_NOSIZE | kKeepOrder | flags);
    return;
  }
  const bool otherRows = place.firstRow != firstRow;
  firstRow = place.firstRow;
  // Pixels the window held before are no use when it holds other rows now.
  if (otherRows) flags |= SWP_NOCOPYBITS;
  SetWindowPos(window, nullptr, 0, place.top, size.cx, place.height, kKeepOrder | flags);
  if (otherRows && !(flags & SWP_NOREDRAW)) InvalidateRect(window, nullptr, FALSE);
}

}  // namespace rovenza
