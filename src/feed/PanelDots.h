#pragma once
// What an LED panel on the network is sent: a sign's picture as the panel's
// dots, in the bytes a panel takes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sign/LedLook.h"

namespace rovenza {

// A panel's size in dots.
struct PanelSize {
  int width = 0;
  int height = 0;
  long long dots() const { return static_cast<long long>(width) * height; }
};

// The most dots a panel may have, and the largest brightness cap in percent.
constexpr long long kMaxPanelDots = 65536;
constexpr int kMaxBrightnessCap = 100;
constexpr int kDefaultBrightnessCap = 50;

// The panel's dots (0x00RRGGBB, rows from the top) for a sign's picture as
// it shows with no look: `picture` stands at the top left of an opening of
// `openingWidth` x `openingHeight` pixels, and nothing of the opening beyond
// it is lit. The opening is divided into as many cells as the panel has
// dots, each at least one pixel; a dot takes its cell's brightest pixel, as a
// dot of the LED look does, and a cell the look would show unlit is black.
// With `onePixelADot` each pixel of the picture is a dot as it is, from the
// top left, cut at the panel's edge. Empty for a panel of no dots or of more
// than kMaxPanelDots.
std::vector<std::uint32_t> panelDots(const PixelRows& picture, int openingWidth, int openingHeight, PanelSize panel,
                                     bool onePixelADot);

// The dots as a panel takes them, three bytes (red, green, blue) a dot, each
// channel scaled to `capPercent` of itself (rounded; held to 0..100).
std::vector<std::uint8_t> panelBytes(const std::vector<std::uint32_t>& dots, int capPercent);

}  // namespace rovenza
