#include "sign/LedLook.h"

#include <algorithm>
#include <cmath>

namespace rovenza {

namespace {

// Samples a pixel takes across and down to measure how much of it the dot covers.
constexpr int kSamples = 16;
// How bright the glow is at the dot's edge, of 256, and how far it reaches
// beyond the edge, in pixels.
constexpr double kGlowAtEdge = 64.0;
constexpr double kGlowReach = 1.5;

// The dot's radius in pixels: the middle pixel alone and a trace of its
// neighbours at pitch 2 and 3, about two thirds of the cell from pitch 5.
int pitchOrDefault(int pitch) { return pitch >= kMinDotPitch && pitch <= kMaxDotPitch ? pitch : kDefaultDotPitch; }

double dotRadius(int pitch) { return pitch == 2 ? 0.75 : 0.8 + 0.35 * (pitch - 3); }

std::uint32_t brightness(std::uint32_t pixel) {
  return std::max({(pixel >> 16) & 0xFFu, (pixel >> 8) & 0xFFu, pixel & 0xFFu});
}

// `colour` at `weight` of 256 on the black board.
std::uint32_t scaled(std::uint32_t colour, std::uint32_t weight) {
  const std::uint32_t redBlue = ((colour & 0xFF00FFu) * weight >> 8) & 0xFF00FFu;
  const std::uint32_t green = ((colour & 0x00FF00u) * weight >> 8) & 0x00FF00u;
  return redBlue | green;
}

}  // namespace

int dotPitchFromText(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return kDefaultDotPitch;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return kDefaultDotPitch;
    value = value * 10 + (c - '0');
  }
  return std::clamp(value, kMinDotPitch, kMaxDotPitch);
}

DotCell::DotCell(int pitch) : pitch_(pitchOrDefault(pitch)) {
  const double middle = centre() + 0.5;
  const double radius = dotRadius(pitch_);
  for (int y = 0; y < pitch_; ++y) {
    for (int x = 0; x < pitch_; ++x) {
      int inside = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double dx = x + (sx + 0.5) / kSamples - middle;
          const double dy = y + (sy + 0.5) / kSamples - middle;
          if (dx * dx + dy * dy <= radius * radius) ++inside;
        }
      }
      const int dot = inside * 256 / (kSamples * kSamples);
      const double beyond = std::hypot(x + 0.5 - middle, y + 0.5 - middle) - radius;
      const double glow = kGlowAtEdge * std::clamp(1.0 - beyond / kGlowReach, 0.0, 1.0);
      unlit_[y * kMaxDotPitch + x] = static_cast<std::uint16_t>(dot);
      lit_[y * kMaxDotPitch + x] = static_cast<std::uint16_t>(dot + (256 - dot) * static_cast<int>(glow) / 256);
    }
  }
}

CellDot cellDot(const PixelRows& picture, int left, int top, int columns, int rows) {
  CellDot dot;
  std::uint32_t level = 0;
  for (int y = 0; y < rows; ++y) {
    const std::uint32_t* row = picture.row(top + y) + left;
    for (int x = 0; x < columns; ++x) {
      const std::uint32_t b = brightness(row[x]);
      if (b > level || (y == 0 && x == 0)) {
        level = b;
        dot.colour = row[x] & 0xFFFFFFu;
      }
    }
  }
  dot.lit = level >= kLitLevel;
  return dot;
}

namespace {

// Draws the cell of `columns` x `rows` pixels at (`left`, `top`) of `out`
// as `cell` shows `dot`. A cell cut by the edge before its dot's middle shows
// no dot at all: only the board, never the rim of a dot or its glow.
void drawCell(const PixelRows& out, int left, int top, int columns, int rows, const DotCell& cell, CellDot dot) {
  const bool dotShown = rows > cell.centre() && columns > cell.centre();
  for (int y = 0; y < rows; ++y) {
    std::uint32_t* row = out.row(top + y) + left;
    for (int x = 0; x < columns; ++x) {
      row[x] = !dotShown ? kBoard : dot.lit ? scaled(dot.colour, cell.lit(x, y)) : scaled(kUnlitDot, cell.unlit(x, y));
    }
  }
}

}  // namespace

void drawDotBoard(const PixelRows& picture, int pitch) {
  if (!picture.top || picture.width <= 0 || picture.height <= 0) return;
  const DotCell cell(pitch);
  const int p = cell.pitch();
  for (int top = 0; top < picture.height; top += p) {
    const int rows = std::min(p, picture.height - top);
    for (int left = 0; left < picture.width; left += p) {
      const int columns = std::min(p, picture.width - left);
      drawCell(picture, left, top, columns, rows, cell, cellDot(picture, left, top, columns, rows));
    }
  }
}

PixelDotsSize pixelDotsSize(int pictureWidth, int pictureHeight, int pitch, int openingWidth, int openingHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || openingWidth <= 0 || openingHeight <= 0) return PixelDotsSize{};
  const long long p = pitchOrDefault(pitch);
  return PixelDotsSize{static_cast<int>(std::min<long long>(pictureWidth * p, openingWidth)),
                       static_cast<int>(std::min<long long>(pictureHeight * p, openingHeight))};
}

void drawPixelDots(const PixelRows& picture, const PixelRows& shown, int pitch, bool look) {
  if (!picture.top || !shown.top) return;
  const PixelDotsSize size = pixelDotsSize(picture.width, picture.height, pitch, shown.width, shown.height);
  const int p = pitchOrDefault(pitch);
  const DotCell cell(p);
  for (int top = 0, y = 0; top < size.height; top += p, ++y) {
    const int rows = std::min(p, size.height - top);
    for (int left = 0, x = 0; left < size.width; left += p, ++x) {
      const int columns = std::min(p, size.width - left);
      const CellDot dot = cellDot(picture, x, y, 1, 1);
      if (look) {
        drawCell(shown, left, top, columns, rows, cell, dot);
        continue;
      }
      for (int r = 0; r < rows; ++r) std::fill_n(shown.row(top + r) + left, columns, dot.colour);
    }
  }
}

}  // namespace rovenza
