// Texts the shell builds around an error message: the error report's text and
// the start-up failure box. Messages are bytes in the ANSI code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/ansi_text.h"

namespace velm {

// The error report's text: message plus "." when its last character sorts
// after "." (a double-byte character or a UTF-8 sequence counts by its first
// byte, so it always does). A message ending in "." or in ")", " ", "!" ...
// stays as it is.
std::string WithFullStop(std::string_view message, const LeadByteTable& lead = SystemLeadBytes());

// The start-up failure text: the pattern filled with the error's type name,
// the module's file name and the fault's offset in eight hex digits, a line
// feed, the message and "." unless the message already ends in ".".
std::string StartupFailureText(std::string_view type_name, std::string_view module_name,
                               std::uint32_t offset, std::string_view message);

}  // namespace velm
