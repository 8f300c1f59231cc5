#pragma once
// When a fed sign's picture goes to its panel: at once when the picture
// changes, and again every kFeedRepeatMicros while it does not, so that a
// panel that falls back to its own show after a few seconds without a
// picture stays on the sign. Times are microseconds of one steady clock.
#include <cstdint>

namespace rovenza {

constexpr std::int64_t kFeedRepeatMicros = 1000000;

class FeedSchedule {
 public:
  // A new picture: due at once.
  void pictureChanged() { changed_ = true; }
  // The picture went out at `now`.
  void sent(std::int64_t now) {
    changed_ = false;
    everSent_ = true;
    lastSent_ = now;
  }
  // When the picture is due next: at once (any time up to now) after a
  // change or before the first send, otherwise a repeat after the last send.
  std::int64_t dueAt() const { return changed_ || !everSent_ ? INT64_MIN : lastSent_ + kFeedRepeatMicros; }
  bool due(std::int64_t now) const { return now >= dueAt(); }

 private:
  bool changed_ = false;
  bool everSent_ = false;
  std::int64_t lastSent_ = 0;
};

}  // namespace rovenza
