// The performance counter: the one clock the driver and the program's phase
// log share (Wine takes it from the host's monotonic clock for every
// process alike), so their readings can be set side by side.
#pragma once

#include <windows.h>

#include <cstdint>

namespace bench {

inline std::int64_t CounterNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

inline std::int64_t CounterFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

inline double TicksToMs(std::int64_t ticks) {
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(CounterFrequency());
}

}  // namespace bench
