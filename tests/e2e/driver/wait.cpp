#include "driver/wait.h"

#include <windows.h>

namespace e2e {

bool PollUntil(const std::function<bool()>& probe, Timeout timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (probe()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(10);
  }
}

}  // namespace e2e
