#include "vehicle/FacePlaces.h"

#include <algorithm>

namespace rovenza {

namespace {

bool overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

Rect at(std::int32_t left, std::int32_t top, Size size) {
  return Rect{left, top, left + size.width, top + size.height};
}

}  // namespace

std::vector<Rect> placeFaces(const Rect& workArea, const Rect& mainWindow, const Rect& panel,
                             const std::vector<Size>& faces) {
  std::vector<Rect> taken = {mainWindow, panel};
  std::vector<Rect> places;
  int cascaded = 0;
  for (const Size& size : faces) {
    bool placed = false;
    for (std::size_t k = 0; k < taken.size() && !placed; ++k) {
      const Rect& by = taken[k];
      for (const Rect& candidate : {at(by.right, by.top, size), at(by.left, by.bottom, size)}) {
        const bool free = std::none_of(taken.begin(), taken.end(), [&](const Rect& r) { return overlaps(r, candidate); });
        if (free && inside(candidate, workArea)) {
          places.push_back(candidate);
          placed = true;
          break;
        }
      }
    }
    if (!placed) {
      const std::int32_t step = kFaceCascadeStep * ++cascaded;
      const std::int32_t left = std::max(workArea.left, std::min(workArea.left + step, workArea.right - size.width));
      const std::int32_t top = std::max(workArea.top, std::min(workArea.top + step, workArea.bottom - size.height));
      places.push_back(at(left, top, size));
    }
    taken.push_back(places.back());
  }
  return places;
}

}  // namespace rovenza
