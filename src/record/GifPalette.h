#pragma once
// The colours of one GIF frame: a rectangle of a picture as at most 256
// colours and an index a pixel.
//
// A rectangle of 256 colours or fewer keeps every colour exactly. One of more
// keeps its flat colours exactly (each colour that covers at least one pixel
// in 256, up to kFlatColours of them, the most used first) and gives the rest
// of the palette to giflib's median-cut quantizer over the remaining pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "record/Picture.h"

namespace rovenza {

constexpr std::size_t kFlatColours = 64;

struct IndexedPixels {
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB, 1 to 256 entries
  std::vector<std::uint8_t> indices;   // rect.width * rect.height, row by row
};

// False only when the quantizer could not get its memory.
bool indexPixels(const Picture& picture, const PixelRect& rect, IndexedPixels& out);

}  // namespace rovenza
