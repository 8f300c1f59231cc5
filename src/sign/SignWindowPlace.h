#pragma once
// Where a sign window stands in its clip window. Window coordinates and sizes
// are 16-bit in places: a window is at most 32,767 pixels high and stands no
// higher than -32,768. A strip taller than that is shown through a sign
// window of 32,767 rows that holds the part of the strip in and around the
// opening, and takes another part only when the opening leaves the one it
// holds.
#include <cstdint>

namespace rovenza {

constexpr std::int32_t kMaxWindowExtent = 32767;

struct SignWindowPlace {
  std::int32_t top = 0;       // y of the sign window in its clip window
  std::int32_t height = 0;    // rows of the sign window
  std::int32_t firstRow = 0;  // the picture row at the sign window's top
};

// The place of the sign window for a picture `pictureHeight` rows high whose
// top is at `stripOffset` in an opening `openingHeight` rows high, when the
// sign window held the rows from `firstRow` so far. A picture of at most
// kMaxWindowExtent rows is the sign window itself: its top is the strip
// offset, exactly.
SignWindowPlace signWindowPlace(std::int32_t pictureHeight, std::int32_t openingHeight, std::int32_t stripOffset,
                                std::int32_t firstRow);

}  // namespace rovenza
