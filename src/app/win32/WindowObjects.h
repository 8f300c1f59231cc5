#pragma once
// Window objects: one window handle each, with getters and setters in the
// coordinates the layout and settings files store. They do not own windows.
#include <windows.h>

#include <cstdint>

namespace rovenza {

// A child window measured by its client area: left/top are the client
// origin in the parent's client coordinates, width/height the client size.
class ChildWindow {
 public:
  void setHandle(HWND window) { window_ = window; }
  HWND handle() const { return window_; }

  std::int32_t left() const;
  std::int32_t top() const;
  std::int32_t width() const;
  std::int32_t height() const;

  // Each setter keeps the other coordinate (as the getter reads it), the size
  // or position and the stacking order, then invalidates the whole parent.
  void setLeft(std::int32_t x) const;
  void setTop(std::int32_t y) const;
  void setWidth(std::int32_t w) const;
  void setHeight(std::int32_t h) const;

  void show(int visible) const;  // 1 shows, anything else hides
  void setParent(HWND parent) const;
  void invalidate() const;

 private:
  void moveTo(std::int32_t x, std::int32_t y) const;
  void resizeTo(std::int32_t w, std::int32_t h) const;
  void invalidateParent() const;

  HWND window_ = nullptr;
};

// A top-level window measured by its outer window rectangle in screen pixels.
class TopWindow {
 public:
  void setHandle(HWND window) { window_ = window; }
  HWND handle() const { return window_; }

  std::int32_t left() const;
  std::int32_t top() const;
  std::int32_t width() const;
  std::int32_t height() const;

  // Keep the other coordinate, the size or position and the stacking order.
  void setLeft(std::int32_t x) const;
  void setTop(std::int32_t y) const;
  void setWidth(std::int32_t w) const;
  void setHeight(std::int32_t h) const;

  void centerOnScreen() const;
  void enable(int enabled) const;
  void focus() const;

 private:
  RECT windowRect() const;

  HWND window_ = nullptr;
};

// Gives a sign's clip window its rounded shape from the sign's cornerRound
// and the clip window's current client size, then repaints the main window.
// Any index other than 0 or 1 only repaints the main window.
void applyCornerRounding(std::int16_t sign);

}  // namespace rovenza
