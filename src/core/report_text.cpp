#include "core/report_text.h"

#include <cstdio>
#include <utility>

#include "core/ansi_text.h"
#include "core/texts.h"

namespace velm {

std::string WithFullStop(std::string_view message, const LeadByteTable& lead) {
  std::string out(message);
  // The last character counts by its first byte, found by the code page's rules.
  if (!message.empty() && static_cast<unsigned char>(message[LastCharStart(message, lead)]) > '.')
    out += '.';
  return out;
}

std::string StartupFailureText(std::string_view type_name, std::string_view module_name,
                               std::uint32_t offset, std::string_view message) {
  char where[9];
  std::snprintf(where, sizeof where, "%08X", static_cast<unsigned>(offset));
  // Markers are filled left to right, so a "%s" inside a filled-in name stays.
  std::string out = text::kStartupFailurePattern;
  std::size_t from = 0;
  for (auto [marker, arg] : {std::pair<std::string_view, std::string_view>{"%s", type_name},
                             {"%s", module_name},
                             {"%p", where}}) {
    std::size_t at = out.find(marker, from);
    if (at == std::string::npos) break;
    out.replace(at, marker.size(), arg);
    from = at + arg.size();
  }
  out += '\n';
  out += message;
  if (!message.ends_with('.')) out += '.';
  return out;
}

}  // namespace velm
