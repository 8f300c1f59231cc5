#pragma once
// Writes a recording as an animated GIF through giflib: GIF89a that loops
// forever (the NETSCAPE2.0 extension), the first frame whole and each later
// one as only the rectangle in which it differs from the frame before, left
// in place for the next (no disposal). A frame's delay is the time until the
// next frame, so each frame is written once the next one arrives, and the
// last one by finish. The bytes go to a GifOutput, so that a failing disk can
// be stood in for.
#include <cstddef>
#include <cstdint>

#include "record/FrameDelays.h"
#include "record/GifPalette.h"
#include "record/Picture.h"

struct GifFileType;

namespace rovenza {

class GifOutput {
 public:
  // Writes all `size` bytes, or returns false.
  virtual bool write(const unsigned char* data, std::size_t size) = 0;

 protected:
  ~GifOutput() = default;
};

class GifWriter {
 public:
  explicit GifWriter(GifOutput& output);
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // A picture of the board `timeMs` after the recording's clock started. The
  // first one sets the GIF's size; a later one of another size is taken over
  // that size, cut or with what the frame before showed where it falls
  // short. A picture like the frame before it is no frame: its time goes to
  // the frame before. False once writing has failed.
  bool add(const Picture& picture, double timeMs);
  // Ends the last frame at `timeMs` and writes the end of the file. A
  // recording without a single picture writes nothing and fails.
  bool finish(double timeMs);

  bool failed() const { return failed_; }
  int frames() const { return frames_; }          // frames written or waiting
  std::int64_t totalDelay() const { return delays_.total(); }  // hundredths, of the frames written

 private:
  static int writeOut(GifFileType* gif, const unsigned char* data, int size);
  bool start(int width, int height);
  bool writePending(double endMs);
  void fitToScreen(const Picture& picture);

  GifOutput& output_;
  GifFileType* gif_ = nullptr;
  bool failed_ = false;
  bool outputFailed_ = false;
  int frames_ = 0;
  double firstMs_ = 0;
  Picture shown_;          // the screen as the frames so far leave it
  bool pending_ = false;   // a frame waits for its delay
  PixelRect pendingRect_;
  IndexedPixels pendingPixels_;
  FrameDelays delays_;
};

}  // namespace rovenza
