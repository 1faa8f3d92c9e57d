// Polling with a deadline. Every wait of the driver goes through here, so no
// test can hang on a window that never comes or a process that never ends.
#pragma once

#include <chrono>
#include <functional>

namespace e2e {

using Timeout = std::chrono::milliseconds;

// Long enough for Wine to start a process and show its first window on a
// busy two-core machine; short enough that a hung step fails promptly.
inline constexpr Timeout kDefaultTimeout{15000};

// True as soon as probe() returns true; false when timeout passes first.
// probe() runs at least once.
bool PollUntil(const std::function<bool()>& probe, Timeout timeout = kDefaultTimeout);

}  // namespace e2e
