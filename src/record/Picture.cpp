#include "record/Picture.h"

#include <algorithm>

namespace rovenza {

namespace {

bool rowDiffers(const Picture& a, const Picture& b, int y) {
  const std::uint32_t* ra = &a.pixels[static_cast<std::size_t>(y) * a.width];
  const std::uint32_t* rb = &b.pixels[static_cast<std::size_t>(y) * b.width];
  for (int x = 0; x < a.width; ++x) {
    if (((ra[x] ^ rb[x]) & 0xFFFFFFu) != 0) return true;
  }
  return false;
}

}  // namespace

PixelRect changedRect(const Picture& before, const Picture& after) {
  if (before.width != after.width || before.height != after.height) return {0, 0, after.width, after.height};
  int top = 0;
  while (top < after.height && !rowDiffers(before, after, top)) ++top;
  if (top == after.height) return {};
  int bottom = after.height;
  while (bottom > top && !rowDiffers(before, after, bottom - 1)) --bottom;
  int left = after.width;
  int right = 0;
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* ra = &before.pixels[static_cast<std::size_t>(y) * after.width];
    const std::uint32_t* rb = &after.pixels[static_cast<std::size_t>(y) * after.width];
    for (int x = 0; x < left; ++x) {
      if (((ra[x] ^ rb[x]) & 0xFFFFFFu) != 0) {
        left = x;
        break;
      }
    }
    for (int x = after.width - 1; x >= std::max(right, left); --x) {
      if (((ra[x] ^ rb[x]) & 0xFFFFFFu) != 0) {
        right = x + 1;
        break;
      }
    }
  }
  return {left, top, right - left, bottom - top};
}

}  // namespace rovenza
