#include "shell/dll_search.h"

#include <windows.h>

namespace velm {

bool RestrictDllSearchToSystem32() {
  using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);
  const FARPROC found =
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  // The cast goes through the one function type GCC accepts for any other.
  auto* set_default =
      reinterpret_cast<SetDefaultDllDirectoriesFunction*>(reinterpret_cast<void (*)()>(found));
  return set_default && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace velm
