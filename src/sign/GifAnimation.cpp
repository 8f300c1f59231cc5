#include "sign/GifAnimation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "common/ByteReader.h"

namespace rovenza {

namespace {

// giflib reads the file through this, from the bytes in memory.
int readGifBytes(GifFileType* gif, GifByteType* out, int count) {
  if (count <= 0) return 0;
  auto* reader = static_cast<ByteReader*>(gif->UserData);
  return static_cast<int>(reader->readUpTo(out, static_cast<std::size_t>(count)));
}

class GifReading {
 public:
  GifReading(const unsigned char* data, std::size_t size) : reader_(data, size) {
    int error = 0;
    gif_ = DGifOpen(&reader_, readGifBytes, &error);
  }
  ~GifReading() {
    if (gif_) DGifCloseFile(gif_, nullptr);
  }
  GifReading(const GifReading&) = delete;
  GifReading& operator=(const GifReading&) = delete;

  GifFileType* gif() const { return gif_; }
  // Where giflib reads next: the reader is only moved by giflib's reads.
  const ByteReader& reader() const { return reader_; }

 private:
  ByteReader reader_;
  GifFileType* gif_ = nullptr;
};

// The rectangle of an image record whose descriptor giflib reads next,
// clipped to the screen.
struct Placement {
  std::int32_t left = 0, top = 0, width = 0, height = 0;  // as stored
  std::int32_t keptWidth = 0, keptHeight = 0;             // inside the screen
};

bool peekPlacement(ByteReader reader, const GifFileType& gif, Placement& placement) {
  std::uint16_t left = 0, top = 0, width = 0, height = 0;
  if (!reader.u16le(left) || !reader.u16le(top) || !reader.u16le(width) || !reader.u16le(height)) return false;
  placement.left = left;
  placement.top = top;
  placement.width = width;
  placement.height = height;
  placement.keptWidth = std::max(0, std::min<std::int32_t>(left + width, gif.SWidth) - left);
  placement.keptHeight = std::max(0, std::min<std::int32_t>(top + height, gif.SHeight) - top);
  // Nothing of a picture beside or below the screen is kept.
  if (placement.keptWidth == 0 || placement.keptHeight == 0) placement.keptWidth = placement.keptHeight = 0;
  return true;
}

// Reads past the rest of an image's data without decoding it.
bool skipImageData(GifFileType* gif) {
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR) return false;
  while (block) {
    if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

// Decodes an image's rows into `kept` (keptWidth x keptHeight indices),
// interlaced or not; false when its data is cut short or bad.
bool decodeImageRows(GifFileType* gif, const Placement& placement, std::uint8_t* kept) {
  if (placement.width == 0 || placement.height == 0) return skipImageData(gif);
  std::vector<GifPixelType> row(static_cast<std::size_t>(placement.width));
  const auto take = [&](std::int32_t y) {
    if (DGifGetLine(gif, row.data(), placement.width) == GIF_ERROR) return false;
    if (y < placement.keptHeight && placement.keptWidth > 0) {
      std::copy_n(row.data(), placement.keptWidth, kept + static_cast<std::size_t>(y) * placement.keptWidth);
    }
    return true;
  };
  if (gif->Image.Interlace) {
    static const std::int32_t kFirst[] = {0, 4, 2, 1};
    static const std::int32_t kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (std::int32_t y = kFirst[pass]; y < placement.height; y += kStep[pass]) {
        if (!take(y)) return false;
      }
    }
    return true;
  }
  for (std::int32_t y = 0; y < placement.height; ++y) {
    if (!take(y)) return false;
  }
  return true;
}

GifDisposal disposalOf(int mode) {
  switch (mode) {
    case DISPOSE_BACKGROUND:
      return GifDisposal::RestoreBackground;
    case DISPOSE_PREVIOUS:
      return GifDisposal::RestorePrevious;
    default:
      return GifDisposal::Keep;
  }
}

// Appends a colour table; returns where it starts.
std::size_t appendColours(GifAnimation& animation, const ColorMapObject* map) {
  const std::size_t first = animation.colours.size();
  for (int i = 0; map && i < map->ColorCount; ++i) {
    const GifColorType& c = map->Colors[i];
    animation.colours.push_back(std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue);
  }
  return first;
}

// Takes a NETSCAPE2.0 (or ANIMEXTS1.0) loop count from the data sub-blocks
// of an application extension whose first block is `block`, and reads to its
// end. False when the extension is cut short.
bool readExtension(GifFileType* gif, int code, GifByteType* block, GraphicsControlBlock& control, bool& hasControl,
                   std::int32_t& loopCount) {
  bool loopBlockNext = false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4) {
    hasControl = DGifExtensionToGCB(4, block + 1, &control) == GIF_OK;
  } else if (code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11) {
    loopBlockNext = std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 || std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0;
  }
  while (block) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    if (block && loopBlockNext) {
      if (block[0] >= 3 && block[1] == 1) loopCount = block[2] | block[3] << 8;
      loopBlockNext = false;
    }
  }
  return true;
}

// Walks the records of a GIF. Without `out` it only counts the pictures
// whose records are whole; with it, it decodes up to `most` pictures into it.
std::size_t walkGif(const unsigned char* data, std::size_t size, const GifLimits& limits, GifAnimation* out,
                    std::size_t most) {
  GifReading reading(data, size);
  GifFileType* gif = reading.gif();
  if (!gif || gif->SWidth <= 0 || gif->SHeight <= 0) return 0;
  const std::uint64_t screen = std::uint64_t(gif->SWidth) * std::uint64_t(gif->SHeight);
  if (screen > limits.maxPicturePixels) return 0;
  std::size_t globalColours = 0;
  if (out) {
    out->width = gif->SWidth;
    out->height = gif->SHeight;
    globalColours = appendColours(*out, gif->SColorMap);
  }
  const std::size_t globalCount = gif->SColorMap ? static_cast<std::size_t>(gif->SColorMap->ColorCount) : 0;
  GraphicsControlBlock control{};
  bool hasControl = false;
  std::int32_t loopCount = -1;
  std::size_t pictures = 0;
  while (pictures < most) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE) break;
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR ||
          !readExtension(gif, code, block, control, hasControl, loopCount)) {
        break;
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) break;
    // The size is checked before giflib multiplies it.
    Placement placement;
    if (!peekPlacement(reading.reader(), *gif, placement)) break;
    if (std::uint64_t(placement.width) * std::uint64_t(placement.height) > limits.maxPicturePixels) break;
    if (DGifGetImageDesc(gif) == GIF_ERROR) break;
    // giflib keeps a record of every image read; none is needed here.
    GifFreeSavedImages(gif);
    gif->SavedImages = nullptr;
    gif->ImageCount = 0;
    if (!out) {
      if (!skipImageData(gif)) break;
    } else {
      GifPicture picture;
      picture.left = placement.left;
      picture.top = placement.top;
      picture.width = placement.keptWidth;
      picture.height = placement.keptHeight;
      if (hasControl) {
        picture.delay = pictureDelayHundredths(static_cast<std::uint32_t>(control.DelayTime));
        picture.disposal = disposalOf(control.DisposalMode);
        picture.transparent = control.TransparentColor;
      } else {
        picture.delay = pictureDelayHundredths(0);
      }
      const std::size_t coloursBefore = out->colours.size();
      if (gif->Image.ColorMap) {
        picture.colours = appendColours(*out, gif->Image.ColorMap);
        picture.colourCount = out->colours.size() - picture.colours;
      } else {
        picture.colours = globalColours;
        picture.colourCount = globalCount;
      }
      picture.indices = out->indices.size();
      out->indices.resize(picture.indices + std::size_t(picture.width) * std::size_t(picture.height));
      if (!decodeImageRows(gif, placement, out->indices.data() + picture.indices)) {
        out->indices.resize(picture.indices);
        out->colours.resize(coloursBefore);
        break;
      }
      out->pictures.push_back(picture);
    }
    hasControl = false;
    ++pictures;
  }
  if (out) out->loopCount = loopCount;
  return pictures;
}

}  // namespace

std::uint32_t pictureDelayHundredths(std::uint32_t stored) { return stored <= 1 ? 10 : stored; }

std::size_t GifAnimation::keptBytes() const {
  return pictures.capacity() * sizeof(GifPicture) + colours.capacity() * sizeof(std::uint32_t) + indices.capacity();
}

std::size_t countGifPictures(const unsigned char* data, std::size_t size, const GifLimits& limits) {
  return walkGif(data, size, limits, nullptr, kMaxAnimationPictures);
}

GifAnimation decodeGifAnimation(const unsigned char* data, std::size_t size, const GifLimits& limits) {
  GifAnimation animation;
  const std::size_t count = countGifPictures(data, size, limits);
  if (count == 0) return animation;
  // A GIF with a picture has its screen's size in its first bytes.
  ByteReader header(data, size);
  std::uint16_t width = 0, height = 0;
  if (!header.seek(6) || !header.u16le(width) || !header.u16le(height)) return animation;
  const std::uint64_t canvasBytes = std::uint64_t{width} * height * 4;
  const std::size_t most = canvasBytes * count > limits.maxDecodedBytes ? 1 : count;
  animation.pictures.reserve(most);
  walkGif(data, size, limits, &animation, most);
  return animation;
}

bool readLedAnimation(const unsigned char* data, std::size_t size, GifAnimation& animation) {
  animation = GifAnimation{};
  if (readPictureSize(data, size).format != PictureFormat::Gif) return false;
  if (pictureDecoderFor(data, size) != PictureDecoder::SystemPicture) return false;
  // A still GIF is only counted, never decoded here.
  if (countGifPictures(data, size) < 2) return false;
  animation = decodeGifAnimation(data, size);
  if (animation.pictures.size() >= 2) return true;
  animation = GifAnimation{};
  return false;
}

GifCanvas::GifCanvas(const GifAnimation& animation)
    : animation_(animation), pixels_(std::size_t(animation.width) * std::size_t(animation.height), 0) {
  const auto restores = [](const GifPicture& p) { return p.disposal == GifDisposal::RestorePrevious; };
  if (std::any_of(animation.pictures.begin(), animation.pictures.end(), restores)) saved_.assign(pixels_.size(), 0);
}

void GifCanvas::compose(std::size_t index) {
  const std::vector<GifPicture>& pictures = animation_.pictures;
  if (index >= pictures.size()) return;
  if (index < next_ || next_ == 0) {
    std::fill(pixels_.begin(), pixels_.end(), 0u);
    next_ = 0;
  }
  for (; next_ <= index; ++next_) {
    if (next_ > 0) dispose(pictures[next_ - 1]);
    const GifPicture& picture = pictures[next_];
    if (picture.disposal == GifDisposal::RestorePrevious) {
      for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::size_t at = std::size_t(picture.top + y) * std::size_t(animation_.width) + std::size_t(picture.left);
        std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(at), picture.width,
                    saved_.begin() + static_cast<std::ptrdiff_t>(at));
      }
    }
    draw(picture);
  }
}

void GifCanvas::draw(const GifPicture& picture) {
  const std::uint8_t* indices = animation_.indices.data() + picture.indices;
  const std::uint32_t* colours = animation_.colours.data() + picture.colours;
  for (std::int32_t y = 0; y < picture.height; ++y) {
    std::uint32_t* row = pixels_.data() + std::size_t(picture.top + y) * std::size_t(animation_.width) + picture.left;
    const std::uint8_t* from = indices + std::size_t(y) * std::size_t(picture.width);
    for (std::int32_t x = 0; x < picture.width; ++x) {
      const std::uint8_t index = from[x];
      if (index == picture.transparent) continue;
      row[x] = index < picture.colourCount ? colours[index] : 0u;
    }
  }
}

void GifCanvas::dispose(const GifPicture& picture) {
  if (picture.disposal == GifDisposal::Keep) return;
  for (std::int32_t y = 0; y < picture.height; ++y) {
    const std::size_t at = std::size_t(picture.top + y) * std::size_t(animation_.width) + std::size_t(picture.left);
    const auto target = pixels_.begin() + static_cast<std::ptrdiff_t>(at);
    if (picture.disposal == GifDisposal::RestoreBackground) {
      std::fill_n(target, picture.width, 0u);
    } else {
      std::copy_n(saved_.begin() + static_cast<std::ptrdiff_t>(at), picture.width, target);
    }
  }
}

}  // namespace rovenza
