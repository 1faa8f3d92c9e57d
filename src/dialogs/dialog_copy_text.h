// The text Ctrl+C puts on the clipboard from a message dialog: seven CR LF
// lines, the caption, the message and the button row between rules of 27
// hyphens.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace velm::ui {

// buttons: the captions in their order, access-key "&" still in them.
std::string DialogCopyText(std::string_view caption, std::string_view message,
                           std::span<const std::string_view> buttons);

}  // namespace velm::ui
