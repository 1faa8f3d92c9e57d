// A function that later Windows versions add and the build's target version
// does not declare, looked up at run time in a system DLL, which is loaded
// for it when the program has not loaded it yet.
#pragma once

#include <windows.h>

#include <string>

namespace velm {

// The system DLL module, loaded once by name and kept: the Common Controls
// the manifest names, or else the one in System32, never one from the
// program's folder, also where the system cannot restrict the search (Vista
// and 7 without an update take no search flags). nullptr when missing.
inline HMODULE SystemModule(const char* module) {
  if (HMODULE loaded = GetModuleHandleA(module)) return loaded;
  if (HMODULE loaded = LoadLibraryExA(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return loaded;
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder, length) + '\\' + module).c_str());
}

// nullptr on systems that lack it. The cast goes through the one function
// type GCC accepts for any other.
template <typename Function>
Function* SystemFunction(const char* module, const char* name) {
  HMODULE loaded = SystemModule(module);
  const FARPROC found = loaded ? GetProcAddress(loaded, name) : nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace velm
