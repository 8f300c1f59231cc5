#pragma once
// Decodes a GIF file's bytes with giflib's decoder, as a player shows it:
// every frame drawn over what the frames before it left (none of the files
// read here dispose of a frame), with its rectangle and delay.
#include <gif_lib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace rovenza::test {

struct DecodedFrame {
  int left = 0, top = 0, width = 0, height = 0;
  int delay = -1;     // hundredths; -1 without a graphic control extension
  int disposal = -1;
  std::vector<std::uint32_t> screen;  // 0x00RRGGBB, the whole screen after this frame
};

struct DecodedGif {
  bool ok = false;
  std::string version;  // "GIF89a"
  int width = 0, height = 0;
  bool loopsForever = false;
  std::vector<DecodedFrame> frames;

  long long totalDelay() const {
    long long total = 0;
    for (const DecodedFrame& f : frames) total += f.delay;
    return total;
  }
};

inline DecodedGif decodeGif(const std::vector<unsigned char>& bytes) {
  struct Source {
    const std::vector<unsigned char>* bytes;
    std::size_t at;
  } source{&bytes, 0};
  DecodedGif result;
  if (bytes.size() >= 6) result.version.assign(bytes.begin(), bytes.begin() + 6);
  int error = 0;
  GifFileType* gif = DGifOpen(&source, [](GifFileType* file, GifByteType* out, int size) -> int {
    auto* s = static_cast<Source*>(file->UserData);
    const std::size_t left = s->bytes->size() - s->at;
    const std::size_t n = size < 0 ? 0 : (static_cast<std::size_t>(size) < left ? static_cast<std::size_t>(size) : left);
    if (n) std::memcpy(out, s->bytes->data() + s->at, n);
    s->at += n;
    return static_cast<int>(n);
  }, &error);
  if (!gif) return result;
  if (DGifSlurp(gif) == GIF_OK) {
    result.ok = true;
    result.width = gif->SWidth;
    result.height = gif->SHeight;
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(gif->SWidth) * gif->SHeight, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
      const SavedImage& image = gif->SavedImages[i];
      for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
        const ExtensionBlock& block = image.ExtensionBlocks[e];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
          const ExtensionBlock& data = image.ExtensionBlocks[e + 1];
          result.loopsForever = data.ByteCount == 3 && data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
        }
      }
      DecodedFrame frame;
      frame.left = image.ImageDesc.Left;
      frame.top = image.ImageDesc.Top;
      frame.width = image.ImageDesc.Width;
      frame.height = image.ImageDesc.Height;
      GraphicsControlBlock control{};
      if (DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK) {
        frame.delay = control.DelayTime;
        frame.disposal = control.DisposalMode;
      }
      const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
      for (int y = 0; map && y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
          const int sx = frame.left + x, sy = frame.top + y;
          if (sx >= gif->SWidth || sy >= gif->SHeight) continue;
          const GifByteType index = image.RasterBits[static_cast<std::size_t>(y) * frame.width + x];
          if (index >= map->ColorCount) continue;
          const GifColorType c = map->Colors[index];
          screen[static_cast<std::size_t>(sy) * gif->SWidth + sx] =
              std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue;
        }
      }
      frame.screen = screen;
      result.frames.push_back(std::move(frame));
    }
  }
  DGifCloseFile(gif, &error);
  return result;
}

}  // namespace rovenza::test
