#include "dialogs/dialog_copy_text.h"

namespace velm::ui {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Drops the access-key marks. 0x26 is never a trail byte in code page 932,
// so removing it byte by byte cannot split a double-byte character.
std::string WithoutAccessMarks(std::string_view caption) {
  std::string out;
  for (char c : caption)
    if (c != '&') out += c;
  return out;
}

}  // namespace

std::string DialogCopyText(std::string_view caption, std::string_view message,
                           std::span<const std::string_view> buttons) {
  const std::string rule = std::string(27, '-') + std::string(kLineEnd);
  std::string out = rule;
  out += caption;
  out += kLineEnd;
  out += rule;
  out += message;
  out += kLineEnd;
  out += rule;
  for (std::string_view button : buttons) out += WithoutAccessMarks(button) + "   ";
  out += kLineEnd;
  out += rule;
  return out;
}

}  // namespace velm::ui
