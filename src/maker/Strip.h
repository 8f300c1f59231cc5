#pragma once
// A film strip made from a table: frame 0 blank, then one frame per row,
// top to bottom; whether the program could load it back; its BMP bytes; and
// the names of an LED folder's pictures.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "record/Picture.h"

namespace rovenza {

// Largest frame side the window accepts.
constexpr int kMaxFrameSide = 8192;

struct StripGeometry {
  int frameWidth = 0;
  int frameHeight = 0;
  int frames = 0;            // rows + 1: frame 0 is blank
  std::uint64_t height = 0;  // frameHeight * frames

  // Top row of frame `frame` in the strip.
  std::uint64_t frameTop(int frame) const { return std::uint64_t(frameHeight) * static_cast<std::uint64_t>(frame); }
};

// Why a strip that stripLoadable refuses is not made (code page 932).
extern const char kStripTooLargeText[];

StripGeometry stripGeometry(int frameWidth, int frameHeight, std::size_t rows);

// Whether the program could load the strip back: a frame side between 1
// and kMaxFrameSide, and no more pixels than it decodes (kMaxPicturePixels).
bool stripLoadable(const StripGeometry& strip);

// The 54 header bytes of an uncompressed 24-bit BMP, rows from the bottom.
std::vector<unsigned char> bmpHeader(int width, std::uint64_t height);
// Bytes of one BMP row (padded to four bytes) of a 24-bit BMP `width` wide.
std::size_t bmpRowBytes(int width);
// Appends the picture's rows, the bottom one first, as 24-bit BMP rows.
void appendBmpRows(const Picture& picture, std::vector<unsigned char>& out);

// Where written bytes go; false when they could not be written.
using ByteSink = std::function<bool(const unsigned char* data, std::size_t size)>;

// Writes the strip as a BMP: the header, then the frames from the last to
// the first (a BMP keeps its rows from the bottom); `frameAt` makes a frame
// when it is needed, so that no more than one is held at once. Stops at the
// first write that fails.
bool writeStripBmp(const StripGeometry& strip, const std::function<Picture(int frame)>& frameAt, const ByteSink& sink);

// An LED folder's picture name for frame `frame` of `frames`: at least two
// digits, more when the frames need them, one width for the whole set, so
// that the folder's sorted order is the frames' order ("00.bmp", "01.bmp",
// ...).
std::string ledFrameName(std::size_t frame, std::size_t frames);

}  // namespace rovenza
