#include "sign/win32/SignWindow.h"

#include <commctrl.h>

#include <cstdint>

#include "common/win32/Scoped.h"
#include "sign/SignWindowPlace.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/Opening.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignLook.h"
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

LRESULT onRollMoved(int sign, WPARAM serial) {
  followRoll(sign, static_cast<std::uint32_t>(serial));
  return 0;
}

// Makes the bitmap the window shows the picture the opening is drawn from.
void takeShownPicture(int sign, HWND window) {
  HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
  OpeningLock lock(sign);
  setOpeningPicture(sign, shown);
}

// A roll thread stops drawing from the bitmap the window lets go of (its
// owner deletes it next), and draws from the new one once the window has it.
LRESULT onSetImage(int sign, HWND window, WPARAM type, LPARAM image) {
  // An animation draws into the bitmap let go of here.
  stopLedAnimation(sign);
  {
    OpeningLock lock(sign);
    setOpeningPicture(sign, nullptr);
  }
  const LRESULT previous = DefSubclassProc(window, STM_SETIMAGE, type, image);
  takeShownPicture(sign, window);
  return previous;
}

// A roll thread must not outlive the window it moves, nor draw from its picture.
void onDestroy(int sign) {
  stopRoll(sign);
  OpeningLock lock(sign);
  setOpeningPicture(sign, nullptr);
}

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
    case kRollMovedMessage:
      return onRollMoved(static_cast<int>(sign), wParam);
    case STM_SETIMAGE:
      return onSetImage(static_cast<int>(sign), window, wParam, lParam);
    case WM_PAINT:
      if (paintRollOpening(static_cast<int>(sign), window)) return 0;
      if (paintFilmLook(static_cast<int>(sign), window)) return 0;
      if (paintLedAnimation(static_cast<int>(sign), window)) return 0;
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

// The clip window paints itself white, its children's part too (it does not
// clip them away): the sign window then paints its part again, whenever the
// clip window paints (resized, say) and whatever the sign window's own state.
void repaintChildrenToo(HWND clip) {
  ScopedRegion update(CreateRectRgn(0, 0, 0, 0));
  if (update && GetUpdateRgn(clip, update.get(), FALSE) > NULLREGION) {
    RedrawWindow(clip, nullptr, update.get(), RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

// The clip window: while a roll runs it paints the opening as the roll drew
// it last; while an animation has the sign, as the animation drew it;
// otherwise, with the signs' look on, the whole shaded opening; otherwise it
// paints itself, and the sign window its part. Hidden, it stops the sign's
// animation.
LRESULT CALLBACK clipWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR sign) {
  switch (message) {
    case WM_PAINT:
      if (paintRollOpening(static_cast<int>(sign), window)) return 0;
      if (paintFilmLook(static_cast<int>(sign), window)) return 0;
      if (paintLedAnimation(static_cast<int>(sign), window)) return 0;
      repaintChildrenToo(window);
      break;
    case kOpeningDrawnMessage:
      openingPublished(static_cast<int>(sign));
      return 0;
    case WM_SHOWWINDOW:
      // A hidden sign stops its animation (a parent minimised does not).
      if (!wParam && lParam == 0) stopLedAnimation(static_cast<int>(sign));
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, clipWindowProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void attachSignWindow(int sign) {
  if (!validAnySign(sign)) return;
  HWND window = signWindowOf(sign).handle();
  if (!window) return;
  SetWindowSubclass(window, signWindowProc, kSubclassId, static_cast<DWORD_PTR>(sign));
  HWND clip = clipOf(sign).handle();
  if (clip) SetWindowSubclass(clip, clipWindowProc, kSubclassId, static_cast<DWORD_PTR>(sign));
  takeShownPicture(sign, window);
}

void setSignWindowOffset(int sign, std::int32_t stripOffset, UINT flags) {
  if (!validAnySign(sign)) return;
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
