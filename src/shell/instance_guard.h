// The single-instance guard: a named mutex that the running copy holds.
#pragma once

#include <optional>

#include "core/win32_handles.h"

namespace velm {

class InstanceGuard {
 public:
  // nullopt: another copy runs (the mutex exists, may not be opened, or
  // test and the creation). Otherwise the guard, holding the mutex for its
  // lifetime, or nothing when the system would not create it.
  static std::optional<InstanceGuard> Acquire(const char* name);

 private:
  explicit InstanceGuard(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
  UniqueHandle mutex_;
};

}  // namespace velm
