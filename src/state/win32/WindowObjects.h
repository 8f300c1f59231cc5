#pragma once
// Window objects: one window handle each, with getters and setters in the
// coordinates the layout and settings files store. They do not own windows.
#include <windows.h>

#include <cstdint>

namespace rovenza {

// What both kinds share: the handle, and setters that each keep the other
// coordinate (as the getter reads it), the size or position and the stacking
// order. `Measured` gives the getters and moveTo/resizeTo.
template <typename Measured>
class WindowObject {
 public:
  void setHandle(HWND window) { window_ = window; }
  HWND handle() const { return window_; }

  void setLeft(std::int32_t x) const { self().moveTo(x, self().top()); }
  void setTop(std::int32_t y) const { self().moveTo(self().left(), y); }
  void setWidth(std::int32_t w) const { self().resizeTo(w, self().height()); }
  void setHeight(std::int32_t h) const { self().resizeTo(self().width(), h); }

 protected:
  HWND window_ = nullptr;

 private:
  const Measured& self() const { return static_cast<const Measured&>(*this); }
};

// A child window measured by its client area: left/top are the client
// origin in the parent's client coordinates, width/height the client size.
// Its setters also invalidate the whole parent.
class ChildWindow : public WindowObject<ChildWindow> {
 public:
  std::int32_t left() const;
  std::int32_t top() const;
  std::int32_t width() const;
  std::int32_t height() const;

  void show(int visible) const;  // 1 shows, anything else hides
  void setParent(HWND parent) const;
  void invalidate() const;

 private:
  friend class WindowObject<ChildWindow>;
  void moveTo(std::int32_t x, std::int32_t y) const;
  void resizeTo(std::int32_t w, std::int32_t h) const;
  void invalidateParent() const;
};

// A top-level window measured by its outer window rectangle in screen pixels.
class TopWindow : public WindowObject<TopWindow> {
 public:
  std::int32_t left() const;
  std::int32_t top() const;
  std::int32_t width() const;
  std::int32_t height() const;

  void centerOnScreen() const;
  // Leaves the window where it is when the user can reach its caption on the
  // work area of the nearest monitor; otherwise moves it, keeping its size,
  // onto that work area.
  void keepWithinReach() const;
  void enable(int enabled) const;
  void focus() const;

 private:
  friend class WindowObject<TopWindow>;
  void moveTo(std::int32_t x, std::int32_t y) const;
  void resizeTo(std::int32_t w, std::int32_t h) const;
  RECT windowRect() const;
};

// Paints a board's window (the main window, a vehicle's face): its
// background picture from the top left, when it has one.
void paintBoardBackground(HWND window, HBITMAP background);

// Gives a sign's clip window its rounded shape from the sign's cornerRound
// and the clip window's current client size, then repaints the window the
// sign stands in. Any index that names no sign only repaints the main window.
void applyCornerRounding(std::int16_t sign);

}  // namespace rovenza
