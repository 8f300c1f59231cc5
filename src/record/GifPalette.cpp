#include "record/GifPalette.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include <gif_lib.h>

// giflib's median-cut quantizer; its own header for it is that of its tools.
extern "C" int GifQuantizeBuffer(unsigned int width, unsigned int height, int* colorMapSize, GifByteType* red,
                                 GifByteType* green, GifByteType* blue, GifByteType* output,
                                 GifColorType* outputColorMap);

namespace rovenza {

namespace {

constexpr std::size_t kPaletteSize = 256;

std::vector<std::uint32_t> pixelsOf(const Picture& picture, const PixelRect& rect) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(rect.width) * rect.height);
  for (int y = rect.top; y < rect.top + rect.height; ++y) {
    for (int x = rect.left; x < rect.left + rect.width; ++x) pixels.push_back(picture.at(x, y));
  }
  return pixels;
}

// Each colour of `pixels` with the number of pixels it covers.
std::unordered_map<std::uint32_t, std::size_t> countColours(const std::vector<std::uint32_t>& pixels) {
  std::unordered_map<std::uint32_t, std::size_t> counts;
  for (std::uint32_t p : pixels) ++counts[p];
  return counts;
}

void indexExactly(const std::vector<std::uint32_t>& pixels, std::unordered_map<std::uint32_t, std::size_t>& counts,
                  IndexedPixels& out) {
  out.palette.clear();
  for (auto& entry : counts) {
    entry.second = out.palette.size();
    out.palette.push_back(entry.first);
  }
  out.indices.resize(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) out.indices[i] = static_cast<std::uint8_t>(counts[pixels[i]]);
}

// The colours that cover at least one pixel in 256, most used first, at
// most kFlatColours.
std::vector<std::uint32_t> flatColours(const std::unordered_map<std::uint32_t, std::size_t>& counts,
                                       std::size_t pixelCount) {
  std::vector<std::pair<std::size_t, std::uint32_t>> heavy;
  const std::size_t least = std::max<std::size_t>(1, pixelCount / kPaletteSize);
  for (const auto& [colour, count] : counts) {
    if (count >= least) heavy.emplace_back(count, colour);
  }
  std::sort(heavy.begin(), heavy.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  if (heavy.size() > kFlatColours) heavy.resize(kFlatColours);
  std::vector<std::uint32_t> flat;
  for (const auto& entry : heavy) flat.push_back(entry.second);
  return flat;
}

bool indexByMedianCut(const std::vector<std::uint32_t>& pixels,
                      const std::unordered_map<std::uint32_t, std::size_t>& counts, IndexedPixels& out) {
  out.palette = flatColours(counts, pixels.size());
  std::unordered_map<std::uint32_t, std::uint8_t> flatIndex;
  for (std::size_t i = 0; i < out.palette.size(); ++i) flatIndex[out.palette[i]] = static_cast<std::uint8_t>(i);

  // The remaining pixels, as the quantizer takes them: one plane a primary.
  std::vector<GifByteType> red, green, blue;
  for (std::uint32_t p : pixels) {
    if (flatIndex.count(p)) continue;
    red.push_back(static_cast<GifByteType>(p >> 16));
    green.push_back(static_cast<GifByteType>(p >> 8));
    blue.push_back(static_cast<GifByteType>(p));
  }
  std::vector<GifByteType> quantized(red.size());
  std::vector<GifColorType> map(kPaletteSize);
  int mapSize = static_cast<int>(kPaletteSize - out.palette.size());
  if (!red.empty() &&
      GifQuantizeBuffer(static_cast<unsigned>(red.size()), 1, &mapSize, red.data(), green.data(), blue.data(),
                        quantized.data(), map.data()) != GIF_OK) {
    return false;
  }
  const std::size_t offset = out.palette.size();
  if (!red.empty()) {
    for (int i = 0; i < mapSize; ++i) {
      out.palette.push_back(std::uint32_t{map[i].Red} << 16 | std::uint32_t{map[i].Green} << 8 | map[i].Blue);
    }
  }
  out.indices.resize(pixels.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const auto flat = flatIndex.find(pixels[i]);
    out.indices[i] = flat != flatIndex.end() ? flat->second : static_cast<std::uint8_t>(offset + quantized[next++]);
  }
  return true;
}

}  // namespace

bool indexPixels(const Picture& picture, const PixelRect& rect, IndexedPixels& out) {
  const std::vector<std::uint32_t> pixels = pixelsOf(picture, rect);
  std::unordered_map<std::uint32_t, std::size_t> counts = countColours(pixels);
  if (counts.size() <= kPaletteSize) {
    indexExactly(pixels, counts, out);
    return true;
  }
  return indexByMedianCut(pixels, counts, out);
}

}  // namespace rovenza
