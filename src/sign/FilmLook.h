#pragma once
// The look of a roll-film sign's opening: the film darkening where it curves
// over the rollers at the top and bottom, the backlight a little brighter in
// the middle, and a vertical blur while the film runs fast. The shading
// belongs to the opening, not to the film: it stays where it is as the film
// moves through it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sign/RollPacer.h"
#include "sign/RollPlan.h"

namespace rovenza {

// How each row of an opening `height` rows high is lit, of 256 (256 shows
// the film as it is): the backlight falls from 256 in the middle to about
// 92 % at the top and bottom, and the top and bottom eighth darken smoothly
// to about 40 % at the edge, where the film curves away.
std::vector<std::uint16_t> filmShading(int height);

// The most rows a blur spreads a film row over.
constexpr int kMaxBlurRows = 12;

// The blur of a film moving one pixel every `speedMs` ms: the rows it moves
// in 1/60 s, at most kMaxBlurRows (speed 0 runs as fast as it can); 0 at 60
// pixels a second or slower.
int filmBlurRows(std::int32_t speedMs);

// The blur of the opening as step `step` (from 1) of a roll shows it: 0 when
// the film stands still after it for 1/60 s or more (the last step, a frame
// boundary with its interval), else filmBlurRows of the roll's speed.
int rollStepBlur(const RollPlan& plan, RollPauses pauses, std::int64_t step);

// A film picture's pixels, read only: 0x00RRGGBB, `stride` pixels from one
// row to the next (negative for a picture stored bottom row first).
struct FilmRows {
  const std::uint32_t* top = nullptr;
  std::ptrdiff_t stride = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// The opening's own pixels, drawn anew for each look at the film, with the
// shading table and sums kept from one drawing to the next.
class FilmOpening {
 public:
  // Draws the opening, `width` x `height` pixels, with the film's top row at
  // row y (it may lie far above or below): the film where it covers the
  // opening, white around it, blurred over `blurRows` rows (2 or more; fewer
  // is none) centred on each row, then shaded row by row. Returns the
  // pixels, rows from the top, valid until the next drawing; null for an
  // empty opening, or one whose pixels cannot be held in memory (nothing
  // is drawn then; the next drawing tries again).
  const std::uint32_t* draw(const FilmRows& film, std::int64_t y, int width, int height, int blurRows);

 private:
  void reshape(int width, int height);
  void drawSharp(const FilmRows& film, std::int64_t y, std::int64_t columns);
  void drawBlurred(const FilmRows& film, std::int64_t y, std::int64_t columns, int blurRows);

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint16_t> shading_;
  std::vector<std::uint32_t> pixels_;
  std::vector<std::uint32_t> white_;     // a white row, for rows beyond the film
  std::vector<std::uint32_t> redBlue_;   // sums of the rows under the blur, red and blue in 16-bit halves
  std::vector<std::uint32_t> green_;
};

}  // namespace rovenza
