#pragma once

#include <windows.h>

#include <string>

namespace velm {

// Replaces the clipboard's content by text (in the ANSI code page) as
// CF_TEXT and, converted by that code page, as CF_UNICODETEXT. Throws
// Error(kClipboard, "クリップボードを開くことができません") when another
// program keeps the clipboard open for more than about a second; blocks the
// calling thread meanwhile without dispatching messages.
void CopyTextToClipboard(HWND owner, const std::string& text);

// The same for an entry's text (UTF-8, see core/entry_text.h): as
// CF_UNICODETEXT exactly, and as CF_TEXT in the code page's form of it.
void CopyEntryToClipboard(HWND owner, const std::string& entry);

}  // namespace velm
