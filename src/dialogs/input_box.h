#pragma once

#include <windows.h>

#include <string>

namespace velm {

// Asks for one line of text: the edited text after OK (untrimmed, possibly
// empty), default_text unchanged after Cancel, Esc, the close box, Alt+F4
// or a quit message. caption, default_text and the answer are entry text
// (UTF-8, exact), prompt a UI text in the code page. The field takes no
// more than a backup keeps whole, and says so when it is full.
std::string RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                        const std::string& default_text);

}  // namespace velm
