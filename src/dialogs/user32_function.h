// A function of user32 that later Windows versions add and the build's
// target version does not declare, looked up at run time.
#pragma once

#include <windows.h>

namespace velm {

// nullptr on systems that lack it. The cast goes through the one function
// type GCC accepts for any other.
template <typename Function>
Function* User32Function(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace velm
