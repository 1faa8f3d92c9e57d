#pragma once

#include <windows.h>

#include <string>

namespace velm {

// Asks for one line of text: the edited text after OK (untrimmed, possibly
// empty), default_text unchanged after Cancel, Esc, the close box, Alt+F4
// or a quit message.
std::string RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                        const std::string& default_text);

}  // namespace velm
