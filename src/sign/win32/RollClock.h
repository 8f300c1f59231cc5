#pragma once
// The roll's clock: the performance counter, and waits that a stop wakes.
#include <windows.h>

#include "sign/RollPacer.h"

namespace rovenza {

// The performance counter in microseconds: the time base of every roll.
std::int64_t performanceMicros();

class RollClock : public Clock {
 public:
  // `cancelEvent` is not owned; setting it cancels every wait at once.
  explicit RollClock(HANDLE cancelEvent);
  std::int64_t now() override;
  bool waitUntil(std::int64_t deadline) override;

 private:
  HANDLE cancelEvent_;
};

// Raises the system timer resolution to 1 ms while it lives, so that a 1 ms
// pause is not a 15.6 ms one.
class TimerResolution {
 public:
  TimerResolution();
  ~TimerResolution();
  TimerResolution(const TimerResolution&) = delete;
  TimerResolution& operator=(const TimerResolution&) = delete;

 private:
  bool raised_;
};

}  // namespace rovenza
