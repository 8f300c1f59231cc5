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

}  // namespace rovenza
