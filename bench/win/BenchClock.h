#pragma once
// The benchmarks' clock.
#include <windows.h>

namespace rovenza::bench {

// Milliseconds of the performance counter.
inline double nowMs() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace rovenza::bench
