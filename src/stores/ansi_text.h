// Text in the ANSI code page (932, Shift-JIS): where its characters begin.
// A byte after a lead byte belongs to that character even when it looks
// like "\", "]" or "=", so no such text is split or searched byte by byte.
#pragma once

#include <cstddef>
#include <string_view>

namespace velm {

inline bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The length of the longest start of text that has at most max bytes and
// does not split a double-byte character: how the Windows functions cut a
// value for a buffer that is too small.
inline std::size_t CutLength(std::string_view text, std::size_t max) {
  if (text.size() <= max) return text.size();
  std::size_t i = 0;
  while (i < max) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + width > max) break;
    i += width;
  }
  return i;
}

}  // namespace velm
