// Any bytes as a picture file's headers: the size read before decoding and,
// for a BMP, where its parts lie. GDI reads a plain BMP's header, colour
// table and rows straight from the mapped file by this layout, so every part
// it names, and every table entry the band header makes GDI read, lies inside
// the file; the size read from the headers agrees with the layout.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzBoard.h"
#include "sign/BitmapFile.h"
#include "sign/PictureSize.h"

using rovenza::fuzz::require;

namespace {

std::uint32_t u32At(const std::vector<unsigned char>& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= std::uint32_t{bytes[at + i]} << (8 * i);
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const rovenza::PictureSize pictureSize = rovenza::readPictureSize(data, size);
  if (rovenza::pictureWithinCeiling(data, size)) {
    require(pictureSize.known, "a picture let through has a known size");
    require(std::uint64_t{pictureSize.width} * pictureSize.height <= rovenza::kMaxPicturePixels,
            "a picture let through is within the ceiling");
  }

  const auto layout = rovenza::readBitmapFileLayout(data, size);
  if (!layout) return 0;
  require(layout->width > 0 && layout->height != 0, "a plain bitmap has pixels");
  require(layout->infoOffset <= size && layout->infoBytes <= size - layout->infoOffset,
          "the header and its table lie inside the file");
  require(layout->bitsOffset <= size && layout->bitsBytes <= size - layout->bitsOffset, "the rows lie inside the file");
  const std::uint64_t rows = layout->height < 0 ? -std::int64_t{layout->height} : layout->height;
  const std::uint64_t stride = (std::uint64_t(layout->width) * layout->bitsPerPixel + 31) / 32 * 4;
  require(layout->bitsBytes == stride * rows, "the rows are every row the header names");
  require(pictureSize.format == rovenza::PictureFormat::Bmp && pictureSize.known &&
              pictureSize.width == std::uint32_t(layout->width) && pictureSize.height == rows,
          "the size read before decoding is the layout's");

  for (const std::int32_t band : {std::int32_t{1}, static_cast<std::int32_t>(rows)}) {
    const std::vector<unsigned char> header = rovenza::bitmapBandHeader(data, size, *layout, band);
    require(header.size() == layout->infoBytes, "the band header is the layout's header and table");
    const std::uint32_t headerBytes = u32At(header, 0);
    const std::uint32_t coloursUsed = u32At(header, rovenza::kBitmapColoursUsedField);
    const std::uint32_t compression = u32At(header, 16);
    // What GDI reads after the header: the colour table, or three masks.
    std::uint64_t tableBytes = 0;
    if (layout->bitsPerPixel <= 8) {
      tableBytes = 4ull * (coloursUsed ? coloursUsed : 1ull << layout->bitsPerPixel);
    } else {
      require(coloursUsed == 0, "a band header names no table GDI would read past the copy");
      if (compression == 3 && headerBytes == 40) tableBytes = 12;
    }
    require(headerBytes + tableBytes <= header.size(), "GDI reads nothing past the band header");
    const std::int32_t height = static_cast<std::int32_t>(u32At(header, rovenza::kBitmapHeightField));
    require(height == (layout->height < 0 ? -band : band), "the band header carries the band's height");
  }
  return 0;
}
