#include "feed/PanelDots.h"

#include <algorithm>

namespace rovenza {

namespace {

// The pixels [first, last) of `length` that cell `index` of `cells` covers:
// an even share, at least one pixel.
struct Span {
  int first;
  int last;
};
Span cellSpan(int index, int cells, int length) {
  const int first = static_cast<int>(static_cast<long long>(index) * length / cells);
  const int last = static_cast<int>(static_cast<long long>(index + 1) * length / cells);
  return Span{first, std::max(last, first + 1)};
}

}  // namespace

std::vector<std::uint32_t> panelDots(const PixelRows& picture, int openingWidth, int openingHeight, PanelSize panel,
                                     bool onePixelADot) {
  if (panel.width <= 0 || panel.height <= 0 || panel.dots() > kMaxPanelDots) return {};
  std::vector<std::uint32_t> dots(static_cast<std::size_t>(panel.dots()), 0);
  const bool anyPicture = picture.top && picture.width > 0 && picture.height > 0;
  if (!anyPicture) return dots;
  if (onePixelADot) {
    const int columns = std::min(panel.width, picture.width);
    for (int y = 0; y < std::min(panel.height, picture.height); ++y) {
      const std::uint32_t* row = picture.row(y);
      for (int x = 0; x < columns; ++x) dots[static_cast<std::size_t>(y) * panel.width + x] = row[x] & 0xFFFFFFu;
    }
    return dots;
  }
  if (openingWidth <= 0 || openingHeight <= 0) return dots;
  // Only the part of the picture inside the opening shows.
  const int shownWidth = std::min(picture.width, openingWidth);
  const int shownHeight = std::min(picture.height, openingHeight);
  for (int dy = 0; dy < panel.height; ++dy) {
    const Span rows = cellSpan(dy, panel.height, openingHeight);
    if (rows.first >= shownHeight) break;
    for (int dx = 0; dx < panel.width; ++dx) {
      const Span columns = cellSpan(dx, panel.width, openingWidth);
      if (columns.first >= shownWidth) break;
      const CellDot dot = cellDot(picture, columns.first, rows.first, std::min(columns.last, shownWidth) - columns.first,
                                  std::min(rows.last, shownHeight) - rows.first);
      if (dot.lit) dots[static_cast<std::size_t>(dy) * panel.width + dx] = dot.colour;
    }
  }
  return dots;
}

std::vector<std::uint8_t> panelBytes(const std::vector<std::uint32_t>& dots, int capPercent) {
  const std::uint32_t cap = static_cast<std::uint32_t>(std::clamp(capPercent, 0, kMaxBrightnessCap));
  std::uint8_t scaled[256];
  for (std::uint32_t level = 0; level < 256; ++level) {
    scaled[level] = static_cast<std::uint8_t>((level * cap + kMaxBrightnessCap / 2) / kMaxBrightnessCap);
  }
  std::vector<std::uint8_t> bytes(dots.size() * 3);
  std::uint8_t* out = bytes.data();
  for (const std::uint32_t dot : dots) {
    *out++ = scaled[(dot >> 16) & 0xFFu];
    *out++ = scaled[(dot >> 8) & 0xFFu];
    *out++ = scaled[dot & 0xFFu];
  }
  return bytes;
}

}  // namespace rovenza
