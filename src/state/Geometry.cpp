#include "state/Geometry.h"

#include <algorithm>

namespace rovenza {

namespace {

// Length of the overlap of [a0, a1) and [b0, b1); 0 when they do not meet.
std::int64_t overlap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
  return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

// The start of a span of `length` moved the least that puts it inside
// [low, high); `low` when it is longer than that.
std::int32_t placedWithin(std::int32_t start, std::int64_t length, std::int32_t low, std::int32_t high) {
  if (length <= 0) return low;
  std::int64_t placed = start;
  if (placed + length > high) placed = high - length;
  if (placed < low) placed = low;
  return static_cast<std::int32_t>(placed);
}

}  // namespace

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

Rect captionBand(const Rect& window, std::int32_t captionHeight) {
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{window.top} + std::max(captionHeight, 0), window.bottom);
  return Rect{window.left, window.top, window.right,
              static_cast<std::int32_t>(std::max<std::int64_t>(bottom, window.top))};
}

bool isReachable(const Rect& window, std::int32_t captionHeight, const Rect& workArea) {
  const Rect caption = captionBand(window, captionHeight);
  const std::int64_t length = std::int64_t{caption.right} - caption.left;
  const std::int64_t height = std::int64_t{caption.bottom} - caption.top;
  if (length <= 0 || height <= 0) return false;
  const std::int64_t onLength = overlap(caption.left, caption.right, workArea.left, workArea.right);
  const std::int64_t onHeight = overlap(caption.top, caption.bottom, workArea.top, workArea.bottom);
  return onLength >= std::min<std::int64_t>(length, kReachableCaptionLength) && onHeight * 2 >= height;
}

Point reachableOrigin(const Rect& window, std::int32_t captionHeight, const Rect& workArea) {
  if (isReachable(window, captionHeight, workArea)) return Point{window.left, window.top};
  const std::int64_t width = std::int64_t{window.right} - window.left;
  const std::int64_t height = std::int64_t{window.bottom} - window.top;
  return Point{placedWithin(window.left, width, workArea.left, workArea.right),
               placedWithin(window.top, height, workArea.top, workArea.bottom)};
}

}  // namespace rovenza
