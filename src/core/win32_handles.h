// Owned kernel handles (the single-instance mutex).
#pragma once

#include <windows.h>

#include "core/unique_resource.h"

namespace velm {

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

}  // namespace velm
