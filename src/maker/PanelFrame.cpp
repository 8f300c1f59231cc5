#include "maker/PanelFrame.h"

#include <cstdint>
#include <vector>

namespace rovenza {

Picture panelFrame(const Picture& frame, const PanelOutput& panel) {
  // The feed's rule reads the frame's rows only.
  const PixelRows rows{const_cast<std::uint32_t*>(frame.pixels.data()), frame.width, frame.width, frame.height};
  const std::vector<std::uint8_t> bytes =
      panelBytes(panelDots(rows, frame.width, frame.height, panel.size, false), panel.cap);
  Picture dots;
  if (bytes.empty()) return dots;
  dots.width = panel.size.width;
  dots.height = panel.size.height;
  dots.pixels.resize(bytes.size() / 3);
  for (std::size_t dot = 0; dot < dots.pixels.size(); ++dot) {
    dots.pixels[dot] = std::uint32_t{bytes[dot * 3]} << 16 | std::uint32_t{bytes[dot * 3 + 1]} << 8 | bytes[dot * 3 + 2];
  }
  return dots;
}

}  // namespace rovenza
