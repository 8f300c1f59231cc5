#include "maker/win32/StripColumn.h"

#include <algorithm>

#include "common/win32/Scoped.h"
#include "maker/win32/MakerRender.h"

namespace rovenza {

const char kStripColumnClass[] = "RovenzaStripColumn";

namespace {

StripColumnSource* sourceOf(HWND column) {
  return reinterpret_cast<StripColumnSource*>(GetWindowLongPtrA(column, GWLP_USERDATA));
}

// How tall a frame is drawn: its width fitted to the column, never wider
// than it is.
int shownHeight(int columnWidth, SIZE frame) {
  if (frame.cx <= 0 || frame.cy <= 0) return 0;
  return std::max(1, static_cast<int>(static_cast<long long>(frame.cy) * std::min<LONG>(columnWidth, frame.cx) / frame.cx));
}

// Frames a page holds, one grey line between each two.
int framesOnPage(HWND column, SIZE frame) {
  RECT client{};
  GetClientRect(column, &client);
  const int shown = shownHeight(client.right, frame);
  return shown > 0 ? std::max(1, static_cast<int>(client.bottom / (shown + 1))) : 1;
}

void setFirstFrame(HWND column, int first) {
  StripColumnSource* source = sourceOf(column);
  const int frames = source ? source->frameCount() : 1;
  const int page = source ? framesOnPage(column, source->frameSize()) : 1;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, frames - 1);
  info.nPage = static_cast<UINT>(page);
  info.nPos = std::clamp(first, 0, std::max(0, frames - page));
  SetScrollInfo(column, SB_VERT, &info, TRUE);
  InvalidateRect(column, nullptr, FALSE);
}

void paint(HWND column) {
  PaintDC paint(column);
  RECT client{};
  GetClientRect(column, &client);
  FillRect(paint.get(), &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  StripColumnSource* source = sourceOf(column);
  if (!source) return;
  const SIZE frame = source->frameSize();
  const int height = shownHeight(client.right, frame);
  if (height <= 0) return;
  const int width = std::min<int>(client.right, frame.cx);
  const int left = (client.right - width) / 2;
  const int frames = source->frameCount();
  int top = 0;
  for (int index = GetScrollPos(column, SB_VERT); index < frames && top < client.bottom; ++index) {
    drawPicture(paint.get(), source->frame(index), RECT{left, top, left + width, top + height});
    top += height + 1;
  }
}

void scroll(HWND column, WORD request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(column, SB_VERT, &info);
  const int page = static_cast<int>(info.nPage);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP:
      --position;
      break;
    case SB_LINEDOWN:
      ++position;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      return;
  }
  setFirstFrame(column, position);
}

LRESULT CALLBACK stripColumnProc(HWND column, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(column);
      return 0;
    case WM_VSCROLL:
      scroll(column, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      scroll(column, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
      return 0;
    default:
      return DefWindowProcA(column, message, wParam, lParam);
  }
}

}  // namespace

void registerStripColumn(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, kStripColumnClass, &wc)) return;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = stripColumnProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kStripColumnClass;
  RegisterClassExA(&wc);
}

void setStripColumnSource(HWND column, StripColumnSource* source) {
  if (!column) return;
  SetWindowLongPtrA(column, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(source));
  refreshStripColumn(column);
}

void refreshStripColumn(HWND column) {
  if (column) setFirstFrame(column, GetScrollPos(column, SB_VERT));
}

void scrollStripColumnHome(HWND column) {
  if (column) setFirstFrame(column, 0);
}

}  // namespace rovenza
