#pragma once
// The pixel size a picture file declares in its headers, read before the file
// is decoded, and the largest picture the program decodes.
#include <cstddef>
#include <cstdint>

namespace rovenza {

// Largest picture decoded, in pixels: 8192 x 8192, more than any camera's
// photograph. The decoder and the bitmap copied from it take about twelve
// bytes a pixel at once, so a larger picture is refused as a bad file is.
constexpr std::uint64_t kMaxPicturePixels = 8192ull * 8192ull;

enum class PictureFormat { Unknown, Bmp, Gif, Jpeg, Png };

struct PictureSize {
  PictureFormat format = PictureFormat::Unknown;
  bool known = false;       // the headers could be read as far as the size
  std::uint32_t width = 0;  // pixels; for a GIF the larger of its screen and its first image
  std::uint32_t height = 0;
};

// Reads the size from the headers of a BMP (any header version, either row
// order), GIF, JPEG (its first frame header) or PNG held in memory. Anything
// else, or headers cut short before the size, gives a size not known.
PictureSize readPictureSize(const unsigned char* data, std::size_t size);

// Whether picture file contents may go to the decoder: their size is known
// and at most kMaxPicturePixels. A picture of no pixels is the decoder's to
// judge.
bool pictureWithinCeiling(const unsigned char* data, std::size_t size);

}  // namespace rovenza
