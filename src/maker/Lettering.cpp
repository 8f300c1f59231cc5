#include "maker/Lettering.h"

#include <algorithm>
#include <cmath>

namespace rovenza {

namespace {

int roundedShare(int height, double share) { return std::max(1, static_cast<int>(std::lround(height * share))); }

// Centred across, narrowed or cut as the width between the margins needs.
LineFit fitAcross(int width, int measuredWidth, int height) {
  LineFit fit;
  fit.height = height;
  const int margin = sideMargin(width);
  const int room = std::max(1, width - 2 * margin);
  fit.clipLeft = margin;
  fit.clipRight = margin + room;
  if (measuredWidth <= 0) return fit;
  if (measuredWidth <= room) {
    fit.drawnWidth = measuredWidth;
  } else if (measuredWidth * kNarrowestLettering <= room) {
    fit.drawnWidth = room;
  } else {
    fit.drawnWidth = std::max(1, static_cast<int>(std::ceil(measuredWidth * kNarrowestLettering)));
    fit.cut = true;
  }
  fit.narrowing = static_cast<double>(fit.drawnWidth) / measuredWidth;
  fit.x = fit.cut ? margin : margin + (room - fit.drawnWidth) / 2;
  return fit;
}

std::uint8_t channel(Rgb colour, int shift) { return static_cast<std::uint8_t>(colour >> shift & 0xFF); }

Rgb blend(Rgb under, Rgb over, int coverage) {
  Rgb out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = channel(under, shift);
    const int b = channel(over, shift);
    out |= static_cast<Rgb>((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

LetteringPlan letteringFor(int height, bool hasSub, Lettering kind) {
  LetteringPlan plan;
  if (height <= 0) return plan;
  const bool dots = kind == Lettering::Dots;
  if (!hasSub) {
    plan.mainHeight = roundedShare(height, dots ? 0.90 : 0.72);
    return plan;
  }
  plan.mainHeight = roundedShare(height, dots ? 0.58 : 0.50);
  plan.subHeight = roundedShare(height, dots ? 0.37 : 0.28);
  plan.gap = std::max(0, static_cast<int>(std::lround(height * 0.04)));
  return plan;
}

int sideMargin(int width) { return width >= 8 ? std::max(1, width / 24) : 0; }

FrameFit fitLines(int width, int height, int mainWidth, int mainHeight, int subWidth, int subHeight, int gap) {
  FrameFit fit;
  fit.main = fitAcross(width, mainWidth, mainHeight);
  fit.sub = fitAcross(width, subWidth, subHeight);
  const bool hasMain = fit.main.drawnWidth > 0;
  const bool hasSub = fit.sub.drawnWidth > 0;
  // Each line keeps its own height in the block, so that a row's main line
  // stands where it would with an empty sub line drawn below it.
  const int block = (hasMain ? mainHeight : 0) + (hasMain && hasSub ? gap : 0) + (hasSub ? subHeight : 0);
  const int top = (height - block) / 2;
  fit.main.y = top;
  fit.sub.y = top + (hasMain ? mainHeight + gap : 0);
  return fit;
}

void drawLine(Picture& frame, const CoverageMask& mask, const LineFit& fit, Rgb colour, Sampling sampling) {
  if (fit.drawnWidth <= 0 || mask.width <= 0 || mask.height <= 0) return;
  const int left = std::max({fit.x, fit.clipLeft, 0});
  const int right = std::min({fit.x + fit.drawnWidth, fit.clipRight, frame.width});
  const int rows = std::min(mask.height, fit.height > 0 ? fit.height : mask.height);
  const double step = static_cast<double>(mask.width) / fit.drawnWidth;
  for (int x = left; x < right; ++x) {
    const int column = x - fit.x;
    // The source columns [from, to) this drawn column covers.
    const double from = column * step;
    const double to = from + step;
    for (int r = 0; r < rows; ++r) {
      const int y = fit.y + r;
      if (y < 0 || y >= frame.height) continue;
      const std::uint8_t* source = &mask.coverage[static_cast<std::size_t>(r) * mask.width];
      int coverage = 0;
      if (sampling == Sampling::Nearest) {
        const int s = std::min(mask.width - 1, static_cast<int>((from + to) / 2));
        coverage = source[s] >= 128 ? 255 : 0;
      } else {
        double sum = 0;
        const int first = static_cast<int>(from);
        const int last = std::min(mask.width - 1, static_cast<int>(std::ceil(to)) - 1);
        for (int s = first; s <= last; ++s) {
          const double weight = std::min<double>(s + 1, to) - std::max<double>(s, from);
          if (weight > 0) sum += weight * source[s];
        }
        coverage = std::clamp(static_cast<int>(std::lround(sum / step)), 0, 255);
      }
      if (coverage == 0) continue;
      std::uint32_t& pixel = frame.pixels[static_cast<std::size_t>(y) * frame.width + x];
      pixel = blend(pixel & 0xFFFFFF, colour, coverage);
    }
  }
}

Picture filledFrame(int width, int height, Rgb colour) {
  Picture frame;
  frame.width = std::max(0, width);
  frame.height = std::max(0, height);
  frame.pixels.assign(static_cast<std::size_t>(frame.width) * frame.height, colour);
  return frame;
}

int ledDotsAcross(int width, int pitch) {
  const int size = ledDotSize(pitch);
  return pitch >= 2 && width >= size ? (width - size) / pitch + 1 : 0;
}
int ledDotsDown(int height, int pitch) { return ledDotsAcross(height, pitch); }

Picture ledFrame(const Picture& dots, int width, int height, const LedDots& look) {
  Picture frame = filledFrame(width, height, 0x000000);
  const int pitch = look.pitch;
  const int size = ledDotSize(pitch);
  const int across = std::min(dots.width, ledDotsAcross(width, pitch));
  const int down = std::min(dots.height, ledDotsDown(height, pitch));
  for (int row = 0; row < down; ++row) {
    for (int column = 0; column < across; ++column) {
      const Rgb dot = dots.at(column, row);
      const Rgb colour = look.ownColours ? dot : (dot != look.unlitMark ? look.lit : look.unlit);
      for (int dy = 0; dy < size; ++dy) {
        std::uint32_t* line = &frame.pixels[static_cast<std::size_t>(row * pitch + dy) * width];
        for (int dx = 0; dx < size; ++dx) line[column * pitch + dx] = colour;
      }
    }
  }
  return frame;
}

Rgb unlitColourOf(Rgb lit) {
  Rgb out = 0;
  for (int shift = 0; shift <= 16; shift += 8) out |= static_cast<Rgb>(channel(lit, shift) / 6 + 0x10) << shift;
  return out;
}

}  // namespace rovenza
