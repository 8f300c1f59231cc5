#pragma once
// The frames captured on the user-interface thread on their way to the
// thread that compares and writes them. The queue holds at most `bound`
// frames; a frame pushed onto a full queue takes the place of the newest one
// waiting, so the frame before that one is shown until the new one's time
// (the dropped frame's time is carried into its delay) and memory stays
// bounded however far the writer falls behind. Pictures the writer is done
// with come back as spares, so capturing allocates nothing once it runs.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

#include "record/Picture.h"

namespace rovenza {

struct CapturedFrame {
  Picture picture;
  double timeMs = 0;  // when it was captured, on the recorder's clock
};

class FrameQueue {
 public:
  explicit FrameQueue(std::size_t bound);

  // Adds the frame; false when it took the place of a waiting one. A closed
  // queue takes nothing (and returns true).
  bool push(Picture&& picture, double timeMs);
  // Waits for the oldest frame and takes it; false once the queue is closed
  // and empty.
  bool pop(CapturedFrame& frame);
  // No more frames: pop takes what waits, then returns false.
  void close();

  // A picture to capture into (its buffer kept from an earlier frame when
  // there is one), and one given back.
  Picture spare();
  void recycle(Picture&& picture);

  std::size_t bound() const { return bound_; }
  std::size_t merged() const;

 private:
  const std::size_t bound_;
  mutable std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<CapturedFrame> frames_;
  std::vector<Picture> spares_;
  std::size_t merged_ = 0;
  bool closed_ = false;
};

}  // namespace rovenza
