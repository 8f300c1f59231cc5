#include "form/Template.h"

#include <limits>

namespace rovenza {

std::int16_t templateFrameCount(std::uint8_t kind, std::int16_t chosenFrames) {
  constexpr std::uint8_t kLed = 1;
  return kind == kLed ? std::int16_t{1} : chosenFrames;
}

TemplateGeometry templateGeometry(std::int32_t width, std::int32_t frameHeight, std::int16_t frames) {
  TemplateGeometry geometry;
  if (width <= 0 || frameHeight <= 0 || frames <= 0) return geometry;
  const std::int64_t height = std::int64_t{frameHeight} * frames;
  if (height > std::numeric_limits<std::int32_t>::max()) return geometry;
  geometry.width = width;
  geometry.height = static_cast<std::int32_t>(height);
  if (frames >= 2) {
    geometry.lineRows.reserve(static_cast<std::size_t>(frames));
    for (std::int32_t frame = 0; frame < frames; ++frame) geometry.lineRows.push_back(frame * frameHeight);
  }
  return geometry;
}

}  // namespace rovenza
