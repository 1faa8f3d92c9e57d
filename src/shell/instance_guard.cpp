#include "shell/instance_guard.h"

namespace velm {

std::optional<InstanceGuard> InstanceGuard::Acquire(const char* name) {
  if (UniqueHandle other{OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name)}) return std::nullopt;
  // A copy running as administrator makes a mutex that this one may neither
  // open nor create: it exists all the same, so that copy runs.
  if (GetLastError() == ERROR_ACCESS_DENIED) return std::nullopt;
  UniqueHandle own{CreateMutexA(nullptr, FALSE, name)};
  // Two copies started at the same instant both find no mutex; the later
  // creation sees it exist and gives way like the open above.
  if (own && GetLastError() == ERROR_ALREADY_EXISTS) return std::nullopt;
  if (!own && GetLastError() == ERROR_ACCESS_DENIED) return std::nullopt;
  return InstanceGuard(std::move(own));
}

}  // namespace velm
