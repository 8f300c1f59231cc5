#include "sign/win32/RollClock.h"

#include <mmsystem.h>

#include <algorithm>

namespace rovenza {

namespace {
constexpr std::int64_t kMicrosPerSecond = 1000000;
constexpr std::int64_t kLongestWaitMs = 0x7FFFFFF0;  // below INFINITE
}  // namespace

std::int64_t performanceMicros() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER counter{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  const std::int64_t f = frequency.QuadPart > 0 ? frequency.QuadPart : 1;
  return counter.QuadPart / f * kMicrosPerSecond + counter.QuadPart % f * kMicrosPerSecond / f;
}

RollClock::RollClock(HANDLE cancelEvent) : cancelEvent_(cancelEvent) {}

std::int64_t RollClock::now() { return performanceMicros(); }

bool RollClock::waitUntil(std::int64_t deadline) {
  // Nothing to wait for: no system call. A stop made meanwhile is seen at the
  // next step, which is refused.
  if (now() >= deadline) return true;
  for (;;) {
    const std::int64_t remaining = deadline - now();
    // Whole milliseconds, rounded up: a wait that ends late is made up by the
    // next deadline, one that ends early would only loop.
    const DWORD ms = remaining > 0 ? static_cast<DWORD>(std::min((remaining + 999) / 1000, kLongestWaitMs)) : 0;
    const DWORD result = WaitForSingleObject(cancelEvent_, ms);
    // The event set, or a wait that cannot be done at all: the roll stops.
    if (result != WAIT_TIMEOUT) return false;
    if (remaining <= 0 || now() >= deadline) return true;
  }
}

TimerResolution::TimerResolution() : raised_(timeBeginPeriod(1) == TIMERR_NOERROR) {}

TimerResolution::~TimerResolution() {
  if (raised_) timeEndPeriod(1);
}

}  // namespace rovenza
