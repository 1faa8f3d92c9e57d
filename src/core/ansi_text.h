// Text in the system's ANSI code page: where its characters begin. A byte
// after a lead byte belongs to that character even when it looks like "\",
// "]" or "=", so no such text is split or searched byte by byte. The rules
// come from the running system (the Windows build asks it; the host build
// takes those of the code page the program is made for). The conversions to
// and from the code page live beside them.
//
//   path.substr(0, FolderLength(path))          // "C:\表\" of "C:\表\velm.exe"
//   value.resize(CutLength(value, 2047));       // never half a character
#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

namespace velm {

constexpr unsigned kUtf8CodePage = 65001;

// Where the characters of one ANSI code page begin: its lead bytes, or for
// UTF-8 (65001, a system set to "use Unicode UTF-8") the sequence rules.
// UTF-8 has no lead bytes in the double-byte sense: no byte of a sequence is
// ASCII, so a search for "\" or "]" may go byte by byte there, but a cut
// must not split a sequence.
class LeadByteTable {
 public:
  // By the code page's known ranges (932, 936, 949, 950, 1361) or UTF-8's
  // rules; any other code page is taken as single-byte.
  static LeadByteTable ForCodePage(unsigned code_page);
  // Asks is_lead about every byte value.
  template <typename IsLead>
  static LeadByteTable From(IsLead is_lead) {
    LeadByteTable table;
    for (unsigned c = 0; c < 256; ++c) table.lead_[c] = is_lead(static_cast<unsigned char>(c));
    return table;
  }

  bool IsLead(unsigned char c) const { return lead_[c]; }
  bool IsUtf8() const { return utf8_; }
  // The bytes of the character that text begins with: 1 for a byte that
  // begins none, fewer than it needs when text ends inside it.
  std::size_t CharLength(std::string_view text) const;

 private:
  std::bitset<256> lead_;
  bool utf8_ = false;
};

// The lead bytes of the running system's ANSI code page.
const LeadByteTable& SystemLeadBytes();

// The length of the longest start of text that has at most max bytes and
// does not split a double-byte character: how the Windows functions cut a
// value for a buffer that is too small. A text that fits is never cut, even
// when it ends in a lead byte.
std::size_t CutLength(std::string_view text, std::size_t max,
                      const LeadByteTable& lead = SystemLeadBytes());

// The length of text without a last character that lacks its trail bytes.
std::size_t WholeLength(std::string_view text, const LeadByteTable& lead = SystemLeadBytes());

// Where the last character of a non-empty text begins.
std::size_t LastCharStart(std::string_view text, const LeadByteTable& lead = SystemLeadBytes());

// One past the last "\" or "/" of path that is a character of its own, 0
// when there is none: the length of its folder part.
std::size_t FolderLength(std::string_view path, const LeadByteTable& lead = SystemLeadBytes());

// The running system's ANSI code page (the host build's: 932).
unsigned AnsiCodePage();

// The system's ANSI code page to and from UTF-8, and UTF-8 to and from
// UTF-16, by the platform's own conversion: a character the code page lacks
// becomes its default character ("?", or a best-fit letter), and a byte
// sequence that is no character becomes the default character of the other
// side.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
// UTF-8 in a given code page, as Utf8ToAnsi for the system's.
std::string Utf8ToCodePage(std::string_view utf8, unsigned code_page);
std::string Utf16ToUtf8(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);
// What the ANSI functions of the system hand on for ansi as UTF-16, and
// back.
std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view utf16);

}  // namespace velm
