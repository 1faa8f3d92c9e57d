#include "shell/dll_search.h"

#include <windows.h>

#include "core/system_function.h"

namespace velm {

bool RestrictDllSearchToSystem32() {
  using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);
  auto* set_default =
      SystemFunction<SetDefaultDllDirectoriesFunction>("kernel32.dll", "SetDefaultDllDirectories");
  return set_default && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace velm
