// An entry's text: what a history value holds, UTF-16 inside Windows, kept
// in the program as UTF-8. Precisely WTF-8, so that a value that is not
// valid UTF-16 (a lone surrogate) still goes back unit for unit: the
// platform's conversions would put U+FFFD in its place.
//
//   std::string entry = Utf16ToWtf8(value);   // exact, whatever value holds
//   Wtf8ToUtf16(entry) == value               // always
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velm {

// Each unit pair as its character, a lone surrogate as its own three bytes.
std::string Utf16ToWtf8(std::u16string_view utf16);
// The inverse of Utf16ToWtf8. Bytes that begin no character (text that did
// not come from it) each become U+FFFD.
std::u16string Wtf8ToUtf16(std::string_view wtf8);

// The text in the system's ANSI code page when every character has a form
// of its own there, so that the code page gives the same text back; none
// when one would turn into "?" or a look-alike (é → e, ¥ → \).
std::optional<std::string> ExactAnsi(std::string_view text);

// The longest value a backup in velm.ini keeps whole, in the units of the
// file's encoding: bytes of the code page, or UTF-16 units.
inline constexpr std::size_t kLongestKeptValue = 2047;
// A value's length in what a backup counts: its code-page bytes when it has
// an exact form there, else its UTF-16 units (the file is then UTF-16).
std::size_t BackupUnits(std::string_view text);

}  // namespace velm
