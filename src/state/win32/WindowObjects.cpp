#include "state/win32/WindowObjects.h"

#include "common/win32/Scoped.h"
#include "state/Geometry.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

constexpr UINT kKeepSize = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
constexpr UINT kKeepPosition = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

RECT clientRect(HWND window) {
  RECT rect{};
  if (window) GetClientRect(window, &rect);
  return rect;
}

Rect toRect(const RECT& rect) { return Rect{rect.left, rect.top, rect.right, rect.bottom}; }

Point childClientOrigin(HWND window) {
  if (!window || !IsWindow(window)) return Point{};
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT mapped{rect.left, rect.top};
  MapWindowPoints(GetParent(window), window, &mapped, 1);
  return clientOriginInParent(Point{rect.left, rect.top}, Point{mapped.x, mapped.y});
}

}  // namespace

// ---- ChildWindow ----

std::int32_t ChildWindow::left() const { return childClientOrigin(window_).x; }
std::int32_t ChildWindow::top() const { return childClientOrigin(window_).y; }
std::int32_t ChildWindow::width() const { return clientRect(window_).right; }
std::int32_t ChildWindow::height() const { return clientRect(window_).bottom; }

void ChildWindow::moveTo(std::int32_t x, std::int32_t y) const {
  if (!window_) return;
  SetWindowPos(window_, nullptr, x, y, 0, 0, kKeepSize);
  invalidateParent();
}

void ChildWindow::resizeTo(std::int32_t w, std::int32_t h) const {
  if (!window_) return;
  SetWindowPos(window_, nullptr, 0, 0, w, h, kKeepPosition);
  invalidateParent();
}

void ChildWindow::invalidateParent() const {
  if (HWND parent = GetParent(window_)) InvalidateRect(parent, nullptr, TRUE);
}

void ChildWindow::show(int visible) const {
  if (window_) ShowWindow(window_, visible == 1 ? SW_SHOWNORMAL : SW_HIDE);
}

void ChildWindow::setParent(HWND parent) const {
  if (window_) SetParent(window_, parent);
}

void ChildWindow::invalidate() const {
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

// ---- TopWindow ----

RECT TopWindow::windowRect() const {
  RECT rect{};
  if (window_) GetWindowRect(window_, &rect);
  return rect;
}

std::int32_t TopWindow::left() const { return windowRect().left; }
std::int32_t TopWindow::top() const { return windowRect().top; }
std::int32_t TopWindow::width() const {
  const RECT rect = windowRect();
  return rect.right - rect.left;
}
std::int32_t TopWindow::height() const {
  const RECT rect = windowRect();
  return rect.bottom - rect.top;
}

void TopWindow::moveTo(std::int32_t x, std::int32_t y) const {
  if (window_) SetWindowPos(window_, nullptr, x, y, 0, 0, kKeepSize);
}
void TopWindow::resizeTo(std::int32_t w, std::int32_t h) const {
  if (window_) SetWindowPos(window_, nullptr, 0, 0, w, h, kKeepPosition);
}

void TopWindow::centerOnScreen() const {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const Point origin =
      centeredOrigin(Rect{desktop.left, desktop.top, desktop.right, desktop.bottom}, width(), height());
  setLeft(origin.x);
  setTop(origin.y);
}

void TopWindow::keepWithinReach() const {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  if (!window_ || !GetWindowInfo(window_, &info)) return;
  const Rect window = toRect(info.rcWindow);
  const std::int32_t captionHeight = static_cast<std::int32_t>(info.cyWindowBorders) + GetSystemMetrics(SM_CYCAPTION);
  const Rect band = captionBand(window, captionHeight);
  const RECT caption{band.left, band.top, band.right, band.bottom};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&caption, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const Point origin = reachableOrigin(window, captionHeight, toRect(monitor.rcWork));
  if (origin.x != window.left || origin.y != window.top) moveTo(origin.x, origin.y);
}

void TopWindow::enable(int enabled) const {
  if (window_) EnableWindow(window_, enabled ? TRUE : FALSE);
}

void TopWindow::focus() const {
  if (window_) SetFocus(window_);
}

void paintBoardBackground(HWND window, HBITMAP background) {
  PaintDC paint(window);
  if (!background) return;
  BITMAP info{};
  GetObjectA(background, sizeof info, &info);
  MemoryDC memory(paint.get());
  SelectGuard select(memory.get(), background);
  BitBlt(paint.get(), 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

// ---- corner rounding ----

void applyCornerRounding(std::int16_t sign) {
  if (validAnySign(sign)) {
    const ChildWindow& clip = clipOf(sign);
    ScopedRegion& kept = app.clipRegions[sign];
    kept.reset();
    const Rect bounds = cornerRegionRect(clip.width(), clip.height());
    const int round = signSpecOf(sign).cornerRound;
    kept.reset(CreateRoundRectRgn(bounds.left, bounds.top, bounds.right, bounds.bottom, round, round));
    // The window keeps its own copy of the shape: the kept region stays ours
    // until the next rounding replaces it.
    ScopedRegion windowShape(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(windowShape.get(), kept.get(), nullptr, RGN_COPY);
    // Once set, the copy is the window's.
    if (clip.handle() && SetWindowRgn(clip.handle(), windowShape.get(), TRUE)) windowShape.release();
    clip.invalidate();
  }
  HWND board = validAnySign(sign) ? faceWindow(faceOfSign(sign)) : app.mainWindow;
  if (board) UpdateWindow(board);
}

}  // namespace rovenza
