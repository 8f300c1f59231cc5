#include "record/GifWriter.h"

#include <algorithm>

#include <gif_lib.h>

namespace rovenza {

int GifWriter::writeOut(GifFileType* gif, const unsigned char* data, int size) {
  auto* writer = static_cast<GifWriter*>(gif->UserData);
  // giflib does not look at every write's result (the file's last byte, for
  // one): a write that failed is remembered here.
  if (size < 0 || writer->outputFailed_ || !writer->output_.write(data, static_cast<std::size_t>(size))) {
    writer->outputFailed_ = true;
    return 0;
  }
  return size;
}

namespace {

// The bits a pixel a colour table of `colours` entries takes in the file
// (its size is a power of two, at least 2).
int bitsFor(std::size_t colours) {
  int bits = 1;
  while ((std::size_t{1} << bits) < colours) ++bits;
  return bits;
}

}  // namespace

GifWriter::GifWriter(GifOutput& output) : output_(output) {}

GifWriter::~GifWriter() {
  if (gif_) EGifCloseFile(gif_, nullptr);
}

bool GifWriter::start(int width, int height) {
  int error = 0;
  gif_ = EGifOpen(this, writeOut, &error);
  if (!gif_) return false;
  EGifSetGifVersion(gif_, true);
  if (EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr) != GIF_OK) return false;
  // Loop forever: the application extension "NETSCAPE2.0", sub-block 1 with
  // a repeat count of 0.
  static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoopForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif_, sizeof kNetscape, kNetscape) == GIF_OK &&
         EGifPutExtensionBlock(gif_, sizeof kLoopForever, kLoopForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif_) == GIF_OK;
}

void GifWriter::fitToScreen(const Picture& picture) {
  // Where the screen and the picture overlap, the picture; elsewhere the
  // screen keeps what it shows.
  const int width = std::min(shown_.width, picture.width);
  const int height = std::min(shown_.height, picture.height);
  for (int y = 0; y < height; ++y) {
    std::copy_n(&picture.pixels[static_cast<std::size_t>(y) * picture.width], width,
                &shown_.pixels[static_cast<std::size_t>(y) * shown_.width]);
  }
}

bool GifWriter::add(const Picture& picture, double timeMs) {
  if (failed_) return false;
  if (picture.width <= 0 || picture.height <= 0) return true;
  PixelRect rect;
  if (frames_ == 0) {
    if (!start(picture.width, picture.height)) return !(failed_ = true);
    firstMs_ = timeMs;
    shown_ = picture;
    rect = {0, 0, picture.width, picture.height};
  } else {
    Picture before = shown_;
    fitToScreen(picture);
    rect = changedRect(before, shown_);
    if (rect.empty()) return true;
    if (!writePending(timeMs)) return false;
  }
  if (!indexPixels(shown_, rect, pendingPixels_)) return !(failed_ = true);
  pendingRect_ = rect;
  pending_ = true;
  ++frames_;
  return true;
}

bool GifWriter::writePending(double endMs) {
  if (!pending_) return true;
  pending_ = false;
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.UserInputFlag = false;
  control.DelayTime = delays_.next(endMs - firstMs_);
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4] = {};
  const size_t extensionSize = EGifGCBToExtension(&control, extension);

  const std::vector<std::uint32_t>& palette = pendingPixels_.palette;
  const int bits = bitsFor(palette.size());
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (!map) return !(failed_ = true);
  for (std::size_t i = 0; i < palette.size(); ++i) {
    map->Colors[i].Red = static_cast<GifByteType>(palette[i] >> 16);
    map->Colors[i].Green = static_cast<GifByteType>(palette[i] >> 8);
    map->Colors[i].Blue = static_cast<GifByteType>(palette[i]);
  }
  bool written = EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionSize), extension) == GIF_OK &&
                 EGifPutImageDesc(gif_, pendingRect_.left, pendingRect_.top, pendingRect_.width, pendingRect_.height,
                                  false, map) == GIF_OK;
  GifFreeMapObject(map);
  for (int y = 0; written && y < pendingRect_.height; ++y) {
    written = EGifPutLine(gif_, &pendingPixels_.indices[static_cast<std::size_t>(y) * pendingRect_.width],
                          pendingRect_.width) == GIF_OK;
  }
  if (!written || outputFailed_) failed_ = true;
  return !failed_;
}

bool GifWriter::finish(double timeMs) {
  if (failed_ || frames_ == 0) return !(failed_ = true);
  if (!writePending(timeMs)) return false;
  const bool closed = EGifCloseFile(gif_, nullptr) == GIF_OK && !outputFailed_;
  gif_ = nullptr;
  if (!closed) failed_ = true;
  return closed;
}

}  // namespace rovenza
