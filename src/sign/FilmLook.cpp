#include "sign/FilmLook.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace rovenza {

namespace {

constexpr double kBacklightAtEdge = 0.92;  // of the middle
constexpr double kRollerAtEdge = 0.43;     // the film's light where it leaves the opening, before the backlight
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::int64_t kFramesPerSecond = 60;

// `pixel` at `light` of 256.
std::uint32_t lit(std::uint32_t pixel, std::uint32_t light) {
  const std::uint32_t redBlue = ((pixel & 0xFF00FFu) * light >> 8) & 0xFF00FFu;
  const std::uint32_t green = ((pixel & 0x00FF00u) * light >> 8) & 0x00FF00u;
  return redBlue | green;
}

// The pixel of the sums of a blur's rows (red and blue in the halves of
// `redBlue`) at `scale` of 65536.
std::uint32_t mean(std::uint32_t redBlue, std::uint32_t green, std::uint32_t scale) {
  return ((redBlue >> 16) * scale >> 16) << 16 | (green * scale >> 16) << 8 | ((redBlue & 0xFFFFu) * scale >> 16);
}

}  // namespace

std::vector<std::uint16_t> filmShading(int height) {
  std::vector<std::uint16_t> rows(static_cast<std::size_t>(std::max(height, 0)));
  const double pi = std::acos(-1.0);
  const double band = height / 8.0;
  for (int y = 0; y < height; ++y) {
    const double middle = y + 0.5;
    const double fromMiddle = (middle - height / 2.0) / (height / 2.0);
    const double backlight = 1.0 - (1.0 - kBacklightAtEdge) * fromMiddle * fromMiddle;
    // From the edge to the row's outer side: the outermost rows are as dark as the edge.
    const double fromEdge = std::min(y, height - 1 - y);
    const double roller =
        fromEdge >= band ? 1.0 : kRollerAtEdge + (1.0 - kRollerAtEdge) * std::sin(pi / 2.0 * fromEdge / band);
    rows[static_cast<std::size_t>(y)] =
        static_cast<std::uint16_t>(std::clamp(std::lround(256.0 * backlight * roller), 0L, 256L));
  }
  return rows;
}

int filmBlurRows(std::int32_t speedMs) {
  if (speedMs <= 0) return kMaxBlurRows;
  // 1000 / speedMs pixels a second; faster than 60 blurs.
  const std::int64_t frameMs = std::int64_t{speedMs} * kFramesPerSecond;
  if (frameMs >= 1000) return 0;
  return static_cast<int>(std::min<std::int64_t>(kMaxBlurRows, (1000 + frameMs / 2) / frameMs));
}

int rollStepBlur(const RollPlan& plan, RollPauses pauses, std::int64_t step) {
  if (step >= plan.steps) return 0;
  const std::int64_t pause = std::int64_t{pauses.speedMs} + (plan.pausesAfter(step) ? pauses.intervalMs : 0);
  if (pause * kFramesPerSecond >= 1000) return 0;
  return filmBlurRows(pauses.speedMs);
}

const std::uint32_t* FilmOpening::draw(const FilmRows& film, std::int64_t y, int width, int height, int blurRows) {
  if (width <= 0 || height <= 0) return nullptr;
  try {
    reshape(width, height);
  } catch (const std::bad_alloc&) {
    *this = FilmOpening{};
    return nullptr;
  }
  const std::int64_t columns = film.top ? std::clamp<std::int64_t>(film.width, 0, width) : 0;
  if (blurRows >= 2) {
    drawBlurred(film, y, columns, std::min(blurRows, kMaxBlurRows));
  } else {
    drawSharp(film, y, columns);
  }
  return pixels_.data();
}

void FilmOpening::reshape(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  shading_ = filmShading(height);
  const std::size_t w = static_cast<std::size_t>(width);
  pixels_.assign(w * static_cast<std::size_t>(height), 0);
  white_.assign(w, kWhite);
  redBlue_.assign(w, 0);
  green_.assign(w, 0);
}

void FilmOpening::drawSharp(const FilmRows& film, std::int64_t y, std::int64_t columns) {
  for (int r = 0; r < height_; ++r) {
    const std::uint32_t light = shading_[static_cast<std::size_t>(r)];
    std::uint32_t* out = &pixels_[static_cast<std::size_t>(r) * static_cast<std::size_t>(width_)];
    const std::int64_t filmRow = r - y;
    std::int64_t x = 0;
    if (filmRow >= 0 && filmRow < film.height) {
      const std::uint32_t* in = film.top + film.stride * filmRow;
      for (; x < columns; ++x) out[x] = lit(in[x], light);
    }
    const std::uint32_t white = lit(kWhite, light);
    for (; x < width_; ++x) out[x] = white;
  }
}

// Each row of the opening is the mean of the blurRows film rows around it,
// kept as running sums a column: the row entering the blur is added, the one
// leaving it taken away.
void FilmOpening::drawBlurred(const FilmRows& film, std::int64_t y, std::int64_t columns, int blurRows) {
  const std::int64_t above = (blurRows - 1) / 2;
  const auto filmRow = [&](std::int64_t row) {
    return row >= 0 && row < film.height ? film.top + film.stride * row : white_.data();
  };
  std::fill(redBlue_.begin(), redBlue_.end(), 0);
  std::fill(green_.begin(), green_.end(), 0);
  for (std::int64_t k = 0; k < blurRows; ++k) {
    const std::uint32_t* in = filmRow(-y - above + k);
    for (std::int64_t x = 0; x < columns; ++x) {
      redBlue_[x] += in[x] & 0xFF00FFu;
      green_[x] += (in[x] >> 8) & 0xFFu;
    }
  }
  for (int r = 0; r < height_; ++r) {
    const std::uint32_t light = shading_[static_cast<std::size_t>(r)];
    // Of 65536: the light over the number of rows, rounded up so that white stays white.
    const std::uint32_t scale = (light * 256 + static_cast<std::uint32_t>(blurRows) - 1) / blurRows;
    std::uint32_t* out = &pixels_[static_cast<std::size_t>(r) * static_cast<std::size_t>(width_)];
    const std::int64_t first = r - y - above;
    const std::uint32_t* entering = filmRow(first + blurRows - 1);
    const std::uint32_t* leaving = filmRow(first - 1);
    const bool moved = r > 0;
    for (std::int64_t x = 0; x < columns; ++x) {
      if (moved) {
        redBlue_[x] += (entering[x] & 0xFF00FFu) - (leaving[x] & 0xFF00FFu);
        green_[x] += ((entering[x] >> 8) & 0xFFu) - ((leaving[x] >> 8) & 0xFFu);
      }
      out[x] = mean(redBlue_[x], green_[x], scale);
    }
    const std::uint32_t whiteSum = 0xFFu * static_cast<std::uint32_t>(blurRows);
    const std::uint32_t white = mean(whiteSum << 16 | whiteSum, whiteSum, scale);
    for (std::int64_t x = columns; x < width_; ++x) out[x] = white;
  }
}

}  // namespace rovenza
