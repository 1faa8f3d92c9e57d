#include "shell/exe_path.h"

#include <windows.h>

namespace velm {

std::u16string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) return std::u16string(path.begin(), path.begin() + n);
    path.resize(path.size() * 2);  // truncated: a long path; try a larger buffer
  }
}

}  // namespace velm
