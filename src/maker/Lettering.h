#pragma once
// How a row's texts are put into a frame: the letter heights for the frame,
// the fitting of a measured line into the width (narrowed horizontally, as
// film lettering is, down to 30 %, and only then cut), the centring, and the
// drawing of the lines' coverage masks into the frame's pixels. LED frames
// are made at one pixel a dot and then put on the dot grid.
#include <cstdint>
#include <vector>

#include "maker/SignTable.h"
#include "sign/LedLook.h"
#include "record/Picture.h"

namespace rovenza {

// The narrowest a line is drawn, as a fraction of its measured width.
constexpr double kNarrowestLettering = 0.30;
// An LED frame's dots stand `pitch` pixels apart (the LED look's dot pitch,
// kMinDotPitch..kMaxDotPitch); a dot is lit over ledDotSize x ledDotSize of
// them from the top left of its cell, the rest of the cell is dark.
constexpr int ledDotSize(int pitch) { return pitch - 1; }

// Letter heights (cell heights in pixels) for a frame `height` tall. An LED
// frame's are in dots: its few rows go almost all to the letters, and a sub
// line keeps enough of them to be read.
struct LetteringPlan {
  int mainHeight = 0;
  int subHeight = 0;  // 0 without a sub text
  int gap = 0;        // between the main and the sub line
};
enum class Lettering { Film, Dots };
LetteringPlan letteringFor(int height, bool hasSub, Lettering kind = Lettering::Film);

// Where one measured line goes in a frame.
struct LineFit {
  int x = 0;              // left of the drawn line
  int y = 0;              // top of the drawn line
  int drawnWidth = 0;     // the line's width once narrowed (0: nothing to draw)
  int height = 0;         // its cell height
  int clipLeft = 0;       // drawn only from here ...
  int clipRight = 0;      // ... up to here (exclusive)
  double narrowing = 1.0; // drawnWidth / measured width
  bool cut = false;       // too long even at the narrowest: its end is cut off
};

struct FrameFit {
  LineFit main;
  LineFit sub;
};

// Side margin of a frame `width` wide.
int sideMargin(int width);

// Fits lines measured `mainWidth` x `mainHeight` and `subWidth` x
// `subHeight` (0 width: no such line) into a frame: each narrowed only as
// far as the width between the side margins needs, not below 30 %; a line
// still too long starts at the left margin and is cut at the right one.
// Lines that fit are centred across; the main line with the sub line below
// it are centred down the frame.
FrameFit fitLines(int width, int height, int mainWidth, int mainHeight, int subWidth, int subHeight, int gap);

// A line as drawn at its measured size: one coverage value (0-255) a pixel,
// rows from the top.
struct CoverageMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;
};

enum class Sampling { Smooth, Nearest };

// Draws `mask` narrowed to `fit.drawnWidth` into `frame` in `colour`,
// blending with what is there; nothing outside the fit's clip columns or the
// frame. Smooth sampling averages the columns each drawn column covers;
// nearest sampling takes one and keeps every pixel fully on or off.
void drawLine(Picture& frame, const CoverageMask& mask, const LineFit& fit, Rgb colour, Sampling sampling);

// A frame of `width` x `height` filled with `colour`.
Picture filledFrame(int width, int height, Rgb colour);

// The dot grid of an LED frame `width` x `height` pixels: dots across and down.
int ledDotsAcross(int width, int pitch);
int ledDotsDown(int height, int pitch);

// The colours an LED frame's dots are put on the grid with.
struct LedDots {
  int pitch = kDefaultDotPitch;
  Rgb unlitMark = 0;  // a dot picture's pixel of this colour is an unlit dot
  Rgb lit = 0;
  Rgb unlit = 0;
  bool ownColours = false;  // each dot in its own pixel's colour instead
};

// Puts a picture of one pixel a dot on the grid: each dot's ledDotSize
// square at (pitch * column, pitch * row) takes `lit` where the dot
// picture's pixel is not `unlitMark`, `unlit` where it is (or the pixel's
// own colour when `ownColours`); everything else is black.
Picture ledFrame(const Picture& dots, int width, int height, const LedDots& look);

// The dim colour of an unlit dot of an LED `lit` colour.
Rgb unlitColourOf(Rgb lit);

}  // namespace rovenza
