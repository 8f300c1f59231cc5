#pragma once
// Which decoder a picture file goes to, decided by its first bytes, the
// ceiling on what the imaging component may decode, and the compositing of
// a picture with alpha over the black of an unlit sign.
#include <cstddef>
#include <cstdint>

#include "sign/PictureSize.h"

namespace rovenza {

// Largest decoded picture in bytes: 256 MiB, the 32-bit pixels of a
// kMaxPicturePixels picture. A picture whose decoded pixels would take more
// is refused as a bad file is.
constexpr std::uint64_t kMaxDecodedBytes = 256ull * 1024 * 1024;

enum class PictureDecoder {
  None,             // no picture: empty, a BMP cut short, or larger than the ceiling
  SystemPicture,    // BMP, JPEG and GIF: the system's picture object, as always
  ImagingComponent  // PNG, TIFF and whatever else the system's imaging component reads
};

// The decoder for file contents, by their first bytes, never by the file's
// name. A BMP, GIF, JPEG or PNG whose size cannot be read from its headers,
// or which is larger than the ceiling, gets none; any other contents go to
// the imaging component, which refuses what it cannot read and whose size
// is checked (imagingSizeWithinCeiling) before any pixel is decoded.
PictureDecoder pictureDecoderFor(const unsigned char* data, std::size_t size);

// The decoder chosen from the first bytes of a file alone (a few dozen are
// enough), before the rest is read: SystemPicture for the BMP, GIF and JPEG
// signatures (whose whole contents pictureDecoderFor then judges), None for
// no bytes or a PNG whose header says it is larger than the ceiling, the
// imaging component for anything else.
constexpr std::size_t kFirstBytes = 64;
PictureDecoder decoderByFirstBytes(const unsigned char* data, std::size_t size);

// Whether a picture of `width` x `height` pixels, four bytes each, may be
// decoded: not empty, at most kMaxPicturePixels and kMaxDecodedBytes.
bool imagingSizeWithinCeiling(std::uint32_t width, std::uint32_t height);

// Composites `pixels` 32-bit pixels in B, G, R, A byte order with straight
// (not premultiplied) alpha over black, in place: each colour becomes
// colour * alpha / 255 rounded to the nearest, and alpha becomes 255.
void compositeOverBlack(unsigned char* pixels, std::size_t count);

}  // namespace rovenza
