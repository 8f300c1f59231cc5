#include "sign/SignWindowPlace.h"

#include <algorithm>

namespace rovenza {

SignWindowPlace signWindowPlace(std::int32_t pictureHeight, std::int32_t openingHeight, std::int32_t stripOffset,
                                std::int32_t firstRow) {
  SignWindowPlace place;
  if (pictureHeight <= kMaxWindowExtent) {
    place.top = stripOffset;
    place.height = std::max<std::int32_t>(pictureHeight, 0);
    return place;
  }
  place.height = kMaxWindowExtent;
  const std::int64_t lastFirstRow = std::int64_t{pictureHeight} - kMaxWindowExtent;
  // The picture rows in the opening.
  const std::int64_t openingTop = -std::int64_t{stripOffset};
  const std::int64_t from = std::max<std::int64_t>(openingTop, 0);
  const std::int64_t to = std::min<std::int64_t>(openingTop + std::max<std::int32_t>(openingHeight, 0), pictureHeight);
  std::int64_t first = std::clamp<std::int64_t>(firstRow, 0, lastFirstRow);
  const bool held = from >= to || (from >= first && to <= first + kMaxWindowExtent);
  // Otherwise the rows in the opening go to the middle of the window.
  if (!held) first = std::clamp<std::int64_t>(from - (kMaxWindowExtent - (to - from)) / 2, 0, lastFirstRow);
  place.firstRow = static_cast<std::int32_t>(first);
  // Off the opening either way when out of the 16-bit range: the window is
  // never taller than that range reaches.
  place.top = static_cast<std::int32_t>(std::clamp<std::int64_t>(stripOffset + first, -32768, 32767));
  return place;
}

}  // namespace rovenza
