#include "core/report_text.h"

#include <cstdio>
#include <utility>

#include "core/texts.h"

namespace velm {

namespace {

// Trail bytes of code page 932 are 0x40 or above, so the last byte sorts after
// "." exactly when the last character (counted by its lead byte) does, and
// a text ends in "." only when its last character is one.
bool SortsAfterFullStop(char last) {
  return static_cast<unsigned char>(last) > '.';
}

}  // namespace

std::string WithFullStop(std::string_view message) {
  std::string out(message);
  if (!message.empty() && SortsAfterFullStop(message.back())) out += '.';
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
