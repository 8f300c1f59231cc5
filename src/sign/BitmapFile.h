#pragma once
// Where the parts of an uncompressed BMP file lie, so that its pixels can go
// from the file straight into the sign's bitmap without a decoder's copy of
// the whole file and a second bitmap in between.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace rovenza {

struct BitmapFileLayout {
  std::size_t infoOffset = 0;  // the information header, its colour table or masks following
  std::size_t infoBytes = 0;   // the header with its colour table or masks
  std::size_t bitsOffset = 0;  // the first pixel row as stored
  std::size_t bitsBytes = 0;   // every row, each padded to four bytes
  std::int32_t width = 0;
  std::int32_t height = 0;     // negative: rows stored from the top
  std::uint16_t bitsPerPixel = 0;
};

// The layout of a BMP whose pixels can be copied as they stand: a Windows
// information header (version 3, 4 or 5), 1, 4, 8, 24 or 32 bits a pixel
// uncompressed, or 16 and 32 bits with colour masks; a colour table,
// masks and every pixel row inside the file. Nothing for anything else
// (a core header, run-length or embedded compression, a table or rows cut
// short, no pixels): such a file goes to the system's picture decoder.
std::optional<BitmapFileLayout> readBitmapFileLayout(const unsigned char* data, std::size_t size);

// Where the information header keeps the height and the colour count, from
// its start.
constexpr std::size_t kBitmapHeightField = 8;
constexpr std::size_t kBitmapColoursUsedField = 32;

// The header (with its colour table or masks) of a band of `bandRows` rows of
// the picture whose layout is `layout`, as GDI takes it to convert those
// rows: the file's own with the band's height (negative for rows stored from
// the top). A picture of more than 8 bits a pixel may name a colour count
// whose table the layout does not take in; GDI would read that table after
// the header, so the band's header names none (the pixels do not use it).
// Empty when the layout does not lie inside `size` bytes of `data`.
std::vector<unsigned char> bitmapBandHeader(const unsigned char* data, std::size_t size,
                                            const BitmapFileLayout& layout, std::int32_t bandRows);

}  // namespace rovenza
