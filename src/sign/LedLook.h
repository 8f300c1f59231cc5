#pragma once
// The look of an LED board: a picture redrawn as the round dots of a real
// board, one dot a cell, with the dark board between them and the unlit dots
// still to be seen.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rovenza {

// Pixels of 32 bits, 0x00RRGGBB as a 32-bit DIB section holds them, reached
// by rows from the top: `stride` pixels from one row to the next (negative
// for a picture stored bottom row first).
struct PixelRows {
  std::uint32_t* top = nullptr;
  std::ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
  std::uint32_t* row(int y) const { return top + stride * y; }
};

// The dot pitch: the side of a cell in pixels.
constexpr int kMinDotPitch = 2;
constexpr int kMaxDotPitch = 8;
constexpr int kDefaultDotPitch = 3;

// A pitch as written in the settings file: a whole number kept within
// kMinDotPitch..kMaxDotPitch; anything else (empty, not a number) gives
// kDefaultDotPitch.
int dotPitchFromText(std::string_view text);

// A cell is lit when its brightest pixel has a channel at kLitLevel or above;
// its dot then takes that pixel's colour. A darker cell shows an unlit LED:
// kUnlitDot, less than half as bright as the dimmest lit dot.
constexpr std::uint32_t kLitLevel = 64;
constexpr std::uint32_t kUnlitDot = 0x1C1C1C;
// The board between the dots.
constexpr std::uint32_t kBoard = 0x000000;

// What a cell of a picture gives its dot: the colour of its brightest pixel
// (the first of equals, 0x00RRGGBB), and whether that lights the dot.
struct CellDot {
  std::uint32_t colour = 0;
  bool lit = false;
};
// The dot of the cell of `columns` x `rows` pixels (at least one each, all
// inside the picture) whose top left pixel is (`left`, `top`).
CellDot cellDot(const PixelRows& picture, int left, int top, int columns, int rows);

// How one cell of a pitch is drawn: for each of its pixels (rows from the
// top), of 256, how much of the dot's colour it shows on the board, for a
// lit dot (the dot, and a soft glow around it that stays inside the cell)
// and for an unlit one (the dot only). The dot is a disc around the middle
// pixel of the cell (up and left of the middle for an even pitch), which it
// covers whole.
class DotCell {
 public:
  explicit DotCell(int pitch);
  int pitch() const { return pitch_; }
  int centre() const { return (pitch_ - 1) / 2; }  // row and column of the dot's middle pixel
  std::uint32_t lit(int x, int y) const { return lit_[y * kMaxDotPitch + x]; }
  std::uint32_t unlit(int x, int y) const { return unlit_[y * kMaxDotPitch + x]; }

 private:
  int pitch_;
  std::uint16_t lit_[kMaxDotPitch * kMaxDotPitch] = {};
  std::uint16_t unlit_[kMaxDotPitch * kMaxDotPitch] = {};
};

// Redraws the picture in place as a dot board of cells of `pitch` pixels
// from its top left corner. The cells at the right and bottom edges may be
// cut short: one that keeps its dot's middle pixel shows its dot as far as
// the edge, one cut before it shows the board only. A pitch outside the
// range is taken as kDefaultDotPitch.
void drawDotBoard(const PixelRows& picture, int pitch);

// A picture drawn one pixel a dot (made at a panel's size, one pixel for
// each of its LEDs) shows each pixel as one cell of `pitch` pixels, from the
// top left of its opening, cut at the opening's edge.
struct PixelDotsSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelDotsSize& other) const { return width == other.width && height == other.height; }
};
// The part of an opening of `openingWidth` x `openingHeight` that a picture
// of `pictureWidth` x `pictureHeight` covers so: none (0 x 0) for an empty
// picture or opening. A pitch outside the range is taken as kDefaultDotPitch.
PixelDotsSize pixelDotsSize(int pictureWidth, int pictureHeight, int pitch, int openingWidth, int openingHeight);
// Draws `picture` so into `shown`, as far as both reach: with `look`, each
// pixel's cell as drawDotBoard draws a cell of that pixel's colour (its dot
// lit or unlit, a cell cut before its dot's middle the board only); without,
// a square of the pixel's colour.
void drawPixelDots(const PixelRows& picture, const PixelRows& shown, int pitch, bool look);

}  // namespace rovenza
