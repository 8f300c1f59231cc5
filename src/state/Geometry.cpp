#include "state/Geometry.h"

namespace rovenza {

Point centeredOrigin(const Rect& desktop, std::int32_t width, std::int32_t height) {
  const double x = (static_cast<double>(desktop.right) - width) / 2.0;
  const double y = (static_cast<double>(desktop.bottom) - height) / 2.0;
  return Point{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

Point clientOriginInParent(Point windowOriginInParent, Point windowOriginInOwnClient) {
  return Point{windowOriginInParent.x - windowOriginInOwnClient.x,
               windowOriginInParent.y - windowOriginInOwnClient.y};
}

Rect cornerRegionRect(std::int32_t width, std::int32_t height) {
  return Rect{0, 0, width + 1, height + 1};
}

}  // namespace rovenza
