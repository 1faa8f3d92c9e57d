// A function that later Windows versions add and the build's target version
// does not declare, looked up at run time in a system DLL the program has
// loaded already.
#pragma once

#include <windows.h>

namespace velm {

// nullptr on systems that lack it. The cast goes through the one function
// type GCC accepts for any other.
template <typename Function>
Function* SystemFunction(const char* module, const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleA(module), name);
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace velm
