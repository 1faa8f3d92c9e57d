// Texts the shell builds around an error message: the error report's text and
// the start-up failure box. Messages are ANSI code-page (Shift-JIS) bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velm {

// The error report's text: message plus "." when its last character sorts
// after "." (a double-byte character counts by its lead byte, so it always
// does). A message ending in "." or in ")", " ", "!" ... stays as it is.
std::string WithFullStop(std::string_view message);

// The start-up failure text: the pattern filled with the error's type name,
// the module's file name and the fault's offset in eight hex digits, a line
// feed, the message and "." unless the message already ends in ".".
std::string StartupFailureText(std::string_view type_name, std::string_view module_name,
                               std::uint32_t offset, std::string_view message);

}  // namespace velm
