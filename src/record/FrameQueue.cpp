#include "record/FrameQueue.h"

#include <utility>

namespace rovenza {

FrameQueue::FrameQueue(std::size_t bound) : bound_(bound == 0 ? 1 : bound) {}

bool FrameQueue::push(Picture&& picture, double timeMs) {
  bool kept = true;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return true;
    if (frames_.size() >= bound_) {
      spares_.push_back(std::move(frames_.back().picture));
      frames_.pop_back();
      ++merged_;
      kept = false;
    }
    frames_.push_back(CapturedFrame{std::move(picture), timeMs});
  }
  ready_.notify_one();
  return kept;
}

bool FrameQueue::pop(CapturedFrame& frame) {
  std::unique_lock<std::mutex> lock(mutex_);
  ready_.wait(lock, [this] { return !frames_.empty() || closed_; });
  if (frames_.empty()) return false;
  frame = std::move(frames_.front());
  frames_.pop_front();
  return true;
}

void FrameQueue::close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  ready_.notify_all();
}

Picture FrameQueue::spare() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (spares_.empty()) return Picture{};
  Picture picture = std::move(spares_.back());
  spares_.pop_back();
  return picture;
}

void FrameQueue::recycle(Picture&& picture) {
  std::lock_guard<std::mutex> lock(mutex_);
  // Enough for every frame the queue can hold, the one being written and
  // the one being captured.
  if (spares_.size() < bound_ + 2) spares_.push_back(std::move(picture));
}

std::size_t FrameQueue::merged() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return merged_;
}

}  // namespace rovenza
