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

// Reads past the rest of an image's data blocks without decoding them,
// however much of it was decoded.
bool skipImageData(GifFileType* gif) {
  GifByteType* block = nullptr;
  do {
    if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return false;
  } while (block);
  return true;
}

// Rows of each interlace pass: the first and the step.
constexpr std::int32_t kPassFirst[] = {0, 4, 2, 1};
constexpr std::int32_t kPassStep[] = {8, 8, 4, 2};

// How many rows y < `below` a pass holds.
std::int64_t passRows(int pass, std::int64_t below) {
  return below > kPassFirst[pass] ? (below - kPassFirst[pass] + kPassStep[pass] - 1) / kPassStep[pass] : 0;
}

// The rows of a picture decoded in stored order down to the last one on the
// screen: every row above the screen's bottom, and for an interlaced picture
// every row of the passes before the last that holds one.
std::int64_t storedRowsNeeded(const Placement& placement, bool interlaced) {
  if (placement.keptHeight == 0) return 0;
  if (!interlaced) return placement.keptHeight;
  int last = 3;
  while (kPassFirst[last] >= placement.keptHeight) --last;
  std::int64_t rows = passRows(last, placement.keptHeight);
  for (int pass = 0; pass < last; ++pass) rows += passRows(pass, placement.height);
  return rows;
}

// Decodes an image's rows, in stored order, until every row on the screen
// is in `kept` (keptWidth x keptHeight indices), then skips the rest of its
// data; false when its data is cut short or bad, or `cancelled` is set.
bool decodeImageRows(GifFileType* gif, const Placement& placement, std::uint8_t* kept,
                     const std::atomic<bool>* cancelled) {
  const std::int64_t needed = storedRowsNeeded(placement, gif->Image.Interlace);
  std::vector<GifPixelType> row(needed > 0 ? static_cast<std::size_t>(placement.width) : 0);
  std::int64_t decoded = 0;
  for (int pass = 0; pass < 4 && decoded < needed; ++pass) {
    const std::int32_t first = gif->Image.Interlace ? kPassFirst[pass] : 0;
    const std::int32_t step = gif->Image.Interlace ? kPassStep[pass] : 1;
    for (std::int32_t y = first; y < placement.height && decoded < needed; y += step, ++decoded) {
      if (cancelled && cancelled->load(std::memory_order_relaxed)) return false;
      if (DGifGetLine(gif, row.data(), placement.width) == GIF_ERROR) return false;
      if (y < placement.keptHeight) {
        std::copy_n(row.data(), placement.keptWidth, kept + static_cast<std::size_t>(y) * placement.keptWidth);
      }
    }
    if (!gif->Image.Interlace) break;
  }
  // giflib reads past the data itself once the last row is decoded.
  return (decoded > 0 && decoded == placement.height) || skipImageData(gif);
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

}  // namespace

// The records of a GIF read one after another, up to each image's data.
struct GifRecords {
  GifRecords(const unsigned char* data, std::size_t size, const GifLimits& limits) : reading(data, size), limits(limits) {
    GifFileType* gif = reading.gif();
    valid = gif && gif->SWidth > 0 && gif->SHeight > 0 &&
            std::uint64_t(gif->SWidth) * std::uint64_t(gif->SHeight) <= limits.maxPicturePixels;
  }

  // Reads the records before the next image and its descriptor, whose size
  // is checked before giflib multiplies it. False at the end of the file,
  // or at a record that is cut short, bad or too large.
  bool nextImage(Placement& placement) {
    GifFileType* gif = reading.gif();
    hasControl = false;
    for (;;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE) return false;
      if (type == EXTENSION_RECORD_TYPE) {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR ||
            !readExtension(gif, code, block, control, hasControl, loopCount)) {
          return false;
        }
        continue;
      }
      if (type != IMAGE_DESC_RECORD_TYPE) return false;
      if (!peekPlacement(reading.reader(), *gif, placement)) return false;
      if (std::uint64_t(placement.width) * std::uint64_t(placement.height) > limits.maxPicturePixels) return false;
      if (DGifGetImageDesc(gif) == GIF_ERROR) return false;
      // giflib keeps a record of every image read; none is needed here.
      GifFreeSavedImages(gif);
      gif->SavedImages = nullptr;
      gif->ImageCount = 0;
      return true;
    }
  }

  GifDisposal disposal() const { return hasControl ? disposalOf(control.DisposalMode) : GifDisposal::Keep; }

  GifReading reading;
  GifLimits limits;
  bool valid = false;
  GraphicsControlBlock control{};
  bool hasControl = false;  // for the image read last
  std::int32_t loopCount = -1;
};

std::uint32_t pictureDelayHundredths(std::uint32_t stored) { return stored <= 1 ? 10 : stored; }

std::size_t GifAnimation::keptBytes() const {
  return pictures.capacity() * sizeof(GifPicture) + colours.capacity() * sizeof(std::uint32_t) + indices.capacity();
}

GifSurvey surveyGif(const unsigned char* data, std::size_t size, const GifLimits& limits, std::size_t most,
                    const std::atomic<bool>* cancelled) {
  GifSurvey survey;
  GifRecords walk(data, size, limits);
  if (!walk.valid) return survey;
  GifFileType* gif = walk.reading.gif();
  survey.width = gif->SWidth;
  survey.height = gif->SHeight;
  Placement placement;
  while (survey.pictures < std::min(most, kMaxAnimationPictures) && !(cancelled && *cancelled) &&
         walk.nextImage(placement)) {
    const std::uint64_t cost = std::uint64_t(placement.width) * storedRowsNeeded(placement, gif->Image.Interlace);
    if (!skipImageData(gif)) break;
    if (survey.pictures == 0) survey.firstDecodePixels = cost;
    survey.decodePixels += cost;
    survey.restoresPrevious = survey.restoresPrevious || walk.disposal() == GifDisposal::RestorePrevious;
    ++survey.pictures;
  }
  const std::uint64_t canvasBytes = std::uint64_t(survey.width) * std::uint64_t(survey.height) * 4;
  const bool withinLimits =
      canvasBytes * survey.pictures <= limits.maxDecodedBytes && survey.decodePixels <= limits.maxDecodePixels;
  survey.kept = withinLimits ? survey.pictures : std::min<std::size_t>(survey.pictures, 1);
  return survey;
}

GifDecoder::GifDecoder(const unsigned char* data, std::size_t size, GifAnimation& animation, const GifLimits& limits)
    : animation_(animation), walk_(std::make_unique<GifRecords>(data, size, limits)) {
  ended_ = !walk_->valid;
  if (ended_) return;
  const GifFileType* gif = walk_->reading.gif();
  animation_.width = gif->SWidth;
  animation_.height = gif->SHeight;
  globalColours_ = appendColours(animation_, gif->SColorMap);
  globalCount_ = gif->SColorMap ? static_cast<std::size_t>(gif->SColorMap->ColorCount) : 0;
}

GifDecoder::~GifDecoder() = default;

bool GifDecoder::next(const std::atomic<bool>* cancelled) {
  Placement placement;
  if (ended_ || animation_.pictures.size() >= kMaxAnimationPictures || !walk_->nextImage(placement)) {
    ended_ = true;
    return false;
  }
  GifFileType* gif = walk_->reading.gif();
  GifPicture picture;
  picture.left = placement.left;
  picture.top = placement.top;
  picture.width = placement.keptWidth;
  picture.height = placement.keptHeight;
  picture.disposal = walk_->disposal();
  if (walk_->hasControl) {
    picture.delay = pictureDelayHundredths(static_cast<std::uint32_t>(walk_->control.DelayTime));
    picture.transparent = walk_->control.TransparentColor;
  } else {
    picture.delay = pictureDelayHundredths(0);
  }
  const std::size_t coloursBefore = animation_.colours.size();
  if (gif->Image.ColorMap) {
    picture.colours = appendColours(animation_, gif->Image.ColorMap);
    picture.colourCount = animation_.colours.size() - picture.colours;
  } else {
    picture.colours = globalColours_;
    picture.colourCount = globalCount_;
  }
  picture.indices = animation_.indices.size();
  animation_.indices.resize(picture.indices + std::size_t(picture.width) * std::size_t(picture.height));
  animation_.loopCount = walk_->loopCount;
  if (!decodeImageRows(gif, placement, animation_.indices.data() + picture.indices, cancelled)) {
    animation_.indices.resize(picture.indices);
    animation_.colours.resize(coloursBefore);
    ended_ = true;
    return false;
  }
  animation_.pictures.push_back(picture);
  return true;
}

GifAnimation decodeGifAnimation(const unsigned char* data, std::size_t size, const GifLimits& limits) {
  GifAnimation animation;
  const GifSurvey survey = surveyGif(data, size, limits);
  if (survey.kept == 0) return animation;
  GifDecoder decoder(data, size, animation, limits);
  animation.restoresPrevious = survey.restoresPrevious;
  animation.pictures.reserve(survey.kept);
  while (animation.pictures.size() < survey.kept && decoder.next()) {
  }
  return animation;
}

bool isLedAnimation(const unsigned char* data, std::size_t size, const GifSurvey& survey) {
  return survey.pictures >= 2 && readPictureSize(data, size).format == PictureFormat::Gif &&
         pictureDecoderFor(data, size) == PictureDecoder::SystemPicture;
}

GifCanvas::GifCanvas(const GifAnimation& animation)
    : animation_(animation), pixels_(std::size_t(animation.width) * std::size_t(animation.height), 0) {
  if (animation.restoresPrevious) saved_.assign(pixels_.size(), 0);
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
    if (picture.disposal == GifDisposal::RestorePrevious && !saved_.empty()) {
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
    if (picture.disposal == GifDisposal::RestoreBackground || saved_.empty()) {
      std::fill_n(target, picture.width, 0u);
    } else {
      std::copy_n(saved_.begin() + static_cast<std::ptrdiff_t>(at), picture.width, target);
    }
  }
}

}  // namespace rovenza
