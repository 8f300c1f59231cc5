#pragma once
// Window geometry arithmetic shared by the window objects.
#include <cstdint>

namespace rovenza {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// Top-left corner that centres a window of the given outer size on the
// desktop rectangle: (right - width) / 2 and (bottom - height) / 2, computed
// in floating point and truncated toward zero. The desktop's left and top are
// deliberately not subtracted.
Point centeredOrigin(const Rect& desktop, std::int32_t width, std::int32_t height);

// Client-area origin of a child window relative to its parent's client area,
// from the child's window rectangle origin (screen) and that same point mapped
// into the child's own client coordinates.
Point clientOriginInParent(Point windowOriginInParent, Point windowOriginInOwnClient);

// The rectangle of the rounded region given to a clip window of client size
// width x height: (0, 0) to (width + 1, height + 1), since a region's right and
// bottom edges are exclusive.
Rect cornerRegionRect(std::int32_t width, std::int32_t height);

// The caption of a top-level window with the outer rectangle `window`: the
// band `captionHeight` pixels high along its top edge (no lower than the
// window's bottom edge), its edges kept within 32-bit coordinates.
Rect captionBand(const Rect& window, std::int32_t captionHeight);

// Least length of a window's caption that must lie on a work area for the
// user to take hold of the window with the mouse.
constexpr std::int32_t kReachableCaptionLength = 48;

// Whether the user can reach a top-level window with the outer rectangle
// `window` by its caption: at least kReachableCaptionLength pixels of the
// caption's length (all of it when the window is narrower) and at least half
// of its height lie on the work area.
bool isReachable(const Rect& window, std::int32_t captionHeight, const Rect& workArea);

// Where a window restored to `window` goes: where it is when it is
// reachable on the work area; otherwise, keeping its size, moved the least
// that puts it wholly on the work area (the work area's left or top edge
// when it is wider or higher than the work area, or has no width or height).
Point reachableOrigin(const Rect& window, std::int32_t captionHeight, const Rect& workArea);

}  // namespace rovenza
