#pragma once
// A picture of the board as the recorder keeps it: rows from the top, one
// 0x00RRGGBB value a pixel (the top byte is ignored wherever pixels are
// compared or written), and the rectangle in which two pictures differ.
#include <cstdint>
#include <vector>

namespace rovenza {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, row by row

  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFFu; }
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PixelRect& other) const {
    return left == other.left && top == other.top && width == other.width && height == other.height;
  }
};

// The smallest rectangle that holds every pixel in which `after` differs from
// `before`; empty when they are alike. Pictures of different sizes differ
// over the whole of `after`.
PixelRect changedRect(const Picture& before, const Picture& after);

}  // namespace rovenza
