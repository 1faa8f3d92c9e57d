// Source is UTF-8, and so is every text as texts.inc holds it.
#include "core/texts.h"

#include <cstring>
#include <string>
#include <string_view>

#include "core/ansi_text.h"

namespace velm::text {

namespace {

// Where each text's shown form lives, sized for its UTF-8 form: a character
// takes no more bytes in any ANSI code page than in UTF-8.
#define VELM_TEXT(name, utf8) char name##Shown[sizeof(utf8)] = utf8;
#include "core/texts.inc"
#undef VELM_TEXT

struct Entry {
  std::string_view written;
  char* shown;
  std::size_t capacity;
};

constinit const Entry kTable[] = {
#define VELM_TEXT(name, utf8) {utf8, name##Shown, sizeof(utf8)},
#include "core/texts.inc"
#undef VELM_TEXT
};

// Before every other initializer of the program, so that no table or
// constant built at load time can see a text before it is converted.
struct ShownInAnsiCodePage {
  ShownInAnsiCodePage() { ShowTexts(AnsiCodePage()); }
};
__attribute__((init_priority(101))) const ShownInAnsiCodePage kShownInAnsiCodePage;

}  // namespace

#define VELM_TEXT(name, utf8) const char* const name = name##Shown;
#include "core/texts.inc"
#undef VELM_TEXT

void ShowTexts(unsigned code_page) {
  const LeadByteTable rules = LeadByteTable::ForCodePage(code_page);
  for (const Entry& entry : kTable) {
    std::string shown = Utf8ToCodePage(entry.written, code_page);
    shown.resize(CutLength(shown, entry.capacity - 1, rules));
    std::memcpy(entry.shown, shown.c_str(), shown.size() + 1);
  }
}

}  // namespace velm::text
