// ASCII rules over ANSI text: names in velm.ini and in the registry match
// without regard to the case of ASCII letters, and a CR or LF inside a name
// or value would become a line break of the file.
#pragma once

#include <string>
#include <string_view>

namespace velm {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Two memchr scans: find_first_of with a set makes a library call per byte.
inline bool HoldsLineBreak(std::string_view text) {
  return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

}  // namespace velm
