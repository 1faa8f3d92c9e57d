// Paths handed over by the build are Unix paths; Wine maps the Unix root to
// drive Z:.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

inline std::string WinePath(std::string_view unix_path) {
  std::string path = "Z:";
  for (char c : unix_path) path += c == '/' ? '\\' : c;
  return path;
}

}  // namespace e2e
