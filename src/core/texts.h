// Every text a user reads, in one table (texts.inc), written once in UTF-8.
// While the program loads, before anything reads them, the texts are put in
// the system's ANSI code page: Shift-JIS bytes on a Japanese system, UTF-8
// on one set to use UTF-8, exactly as the registry, the INI file and the *A
// functions expect them. Each name points at its text's shown form; adding a
// text is one line in texts.inc.
#pragma once

namespace velm::text {

#define VELM_TEXT(name, utf8) extern const char* const name;
#include "core/texts.inc"
#undef VELM_TEXT

// Puts every text in code_page's form of what texts.inc holds; done for the
// system's ANSI code page at load time. A code page that needed more bytes
// for a text than UTF-8 does would get it cut at a whole character (none of
// the Windows ANSI code pages does).
void ShowTexts(unsigned code_page);

}  // namespace velm::text
