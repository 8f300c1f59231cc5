#pragma once
// Where a vehicle's further faces open: beside the main window, covering
// neither it nor the operation panel nor each other, within the work area;
// a face that fits nowhere cascades from the work area's corner.
#include <cstdint>
#include <vector>

#include "state/Geometry.h"

namespace rovenza {

struct Size {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Step of the cascade, down and to the right.
constexpr std::int32_t kFaceCascadeStep = 32;

// The outer rectangles of faces of the given outer sizes, in order. Each
// face takes the first free place, looked for right of and then below each
// window already placed (the main window, the panel, the faces before it),
// top and left edges aligned with that window's.
std::vector<Rect> placeFaces(const Rect& workArea, const Rect& mainWindow, const Rect& panel,
                             const std::vector<Size>& faces);

}  // namespace rovenza
