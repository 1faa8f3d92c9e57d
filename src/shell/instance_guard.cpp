#include "shell/instance_guard.h"

namespace velm {

std::optional<InstanceGuard> InstanceGuard::Acquire(const char* name) {
  if (UniqueHandle other{OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name)}) return std::nullopt;
  UniqueHandle own{CreateMutexA(nullptr, FALSE, name)};
  // Two copies started at the same instant both find no mutex; the later
  // creation sees it exist and gives way like the open above.
  if (own && GetLastError() == ERROR_ALREADY_EXISTS) return std::nullopt;
  return InstanceGuard(std::move(own));
}

}  // namespace velm
