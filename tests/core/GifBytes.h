#pragma once
// Small GIF files written with giflib's encoder for the tests: a screen with
// its colour table, the loop extension or none, and pictures with their
// place, colour indices, control block (delay, disposal, transparency) and
// own colour table.
#include <gif_lib.h>

#include <cstdint>
#include <vector>

namespace rovenza::test {

struct GifPicturePlan {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> indices;  // width x height, rows from the top
  bool control = true;                // a graphic control extension before it
  int delay = 10;
  int disposal = 0;
  int transparent = -1;
  std::vector<std::uint32_t> colours;  // its own table (0x00RRGGBB); empty: none
  bool interlace = false;
};

struct GifPlan {
  int width = 0, height = 0;
  std::vector<std::uint32_t> colours;  // the global table; empty: none
  int loop = -1;                       // NETSCAPE2.0 loop count; -1: no extension
  std::vector<GifPicturePlan> pictures;
};

// A picture filling a rectangle with one index.
inline GifPicturePlan filledPicture(int left, int top, int width, int height, std::uint8_t index, int delay = 10) {
  GifPicturePlan picture;
  picture.left = left;
  picture.top = top;
  picture.width = width;
  picture.height = height;
  picture.indices.assign(static_cast<std::size_t>(width) * height, index);
  picture.delay = delay;
  return picture;
}

inline ColorMapObject* makeColourMap(const std::vector<std::uint32_t>& colours) {
  if (colours.empty()) return nullptr;
  int count = 2;
  while (count < static_cast<int>(colours.size())) count *= 2;
  ColorMapObject* map = GifMakeMapObject(count, nullptr);
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = i < static_cast<int>(colours.size()) ? colours[i] : 0;
    map->Colors[i] = GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                  static_cast<GifByteType>(c)};
  }
  return map;
}

inline std::vector<unsigned char> writeGif(const GifPlan& plan) {
  std::vector<unsigned char> bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, [](GifFileType* file, const GifByteType* data, int size) -> int {
    auto* out = static_cast<std::vector<unsigned char>*>(file->UserData);
    out->insert(out->end(), data, data + size);
    return size;
  }, &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = makeColourMap(plan.colours);
  EGifPutScreenDesc(gif, plan.width, plan.height, 8, 0, global);
  GifFreeMapObject(global);
  if (plan.loop >= 0) {
    static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType count[] = {1, static_cast<GifByteType>(plan.loop & 0xFF), static_cast<GifByteType>(plan.loop >> 8)};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape);
    EGifPutExtensionBlock(gif, sizeof count, count);
    EGifPutExtensionTrailer(gif);
  }
  for (const GifPicturePlan& picture : plan.pictures) {
    if (picture.control) {
      GraphicsControlBlock control{};
      control.DisposalMode = picture.disposal;
      control.DelayTime = picture.delay;
      control.TransparentColor = picture.transparent;
      GifByteType block[4] = {};
      EGifGCBToExtension(&control, block);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block);
    }
    ColorMapObject* local = makeColourMap(picture.colours);
    EGifPutImageDesc(gif, picture.left, picture.top, picture.width, picture.height, picture.interlace, local);
    GifFreeMapObject(local);
    std::vector<GifPixelType> row(static_cast<std::size_t>(picture.width) + 1);
    const auto put = [&](int y) {
      for (int x = 0; x < picture.width; ++x) row[x] = picture.indices[static_cast<std::size_t>(y) * picture.width + x];
      EGifPutLine(gif, row.data(), picture.width);
    };
    if (picture.width == 0 || picture.height == 0) {
      EGifPutLine(gif, row.data(), 0);
    } else if (picture.interlace) {
      const int first[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass) {
        for (int y = first[pass]; y < picture.height; y += step[pass]) put(y);
      }
    } else {
      for (int y = 0; y < picture.height; ++y) put(y);
    }
    // giflib's copy of an own colour table is not freed by the next picture's.
    GifFreeMapObject(gif->Image.ColorMap);
    gif->Image.ColorMap = nullptr;
  }
  EGifCloseFile(gif, &error);
  return bytes;
}

}  // namespace rovenza::test
