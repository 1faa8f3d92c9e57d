#include "stores/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "core/ascii_text.h"
#include "core/entry_text.h"

namespace velm {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

const LeadByteTable kNoLeadBytes;

constexpr std::size_t kMaxValueUnits = kLongestKeptValue;  // as with a 2,048-unit buffer

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

// What the reader would take from a value's end: a blank, or a quote that
// could pair with one at the other end.
bool LostOnReading(char c) {
  return IsBlank(c) || c == '"' || c == '\'';
}

// Trail bytes of double-byte characters are never blanks, so trimming from
// the end cannot split a character.
std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Where c stands as a character of its own, not as the trail byte of a
// double-byte one: its first place in s, or its last.
std::size_t FindChar(std::string_view s, char c, const LeadByteTable& lead, bool last) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (lead.IsLead(static_cast<unsigned char>(s[i]))) {
      ++i;
    } else if (s[i] == c) {
      found = i;
      if (!last) break;
    }
  }
  return found;
}

// Whether any byte of word is b.
bool HoldsByte(std::uint64_t word, unsigned char b) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  const std::uint64_t x = word ^ (kOnes * b);
  return ((x - kOnes) & ~x & (kOnes * 0x80)) != 0;
}

// Where the line that starts at i ends: at its CR or LF, or at the end. As
// when the platform converts the whole file, a lead byte takes the byte
// after it, even a line end. Eight ASCII bytes at a time where no line ends:
// a byte at a time took most of the time of a 3 MB file's close.
std::size_t LineEnd(std::string_view text, std::size_t i, const LeadByteTable& lead) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  while (i < text.size()) {
    std::uint64_t word = kHighBits;
    if (i + 8 <= text.size()) std::memcpy(&word, text.data() + i, sizeof word);
    if ((word & kHighBits) == 0 && !HoldsByte(word, '\r') && !HoldsByte(word, '\n')) {
      i += 8;
    } else if (text[i] == '\r' || text[i] == '\n') {
      return i;
    } else {
      i += lead.IsLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
  }
  return text.size();
}

// The name of a section header line, nullopt for any other line.
std::optional<std::string_view> HeaderName(std::string_view line, const LeadByteTable& lead) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  const std::size_t close = FindChar(line, ']', lead, true);
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, close));
}

struct KeyLine {
  std::string_view name;
  std::string_view value;  // as it stands, quotes and all
};

// A key line is any line that is not blank, a comment or a header; without
// "=" its value is empty.
std::optional<KeyLine> ParseKeyLine(std::string_view line, const LeadByteTable& lead) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || HeaderName(line, lead)) return std::nullopt;
  const std::size_t eq = FindChar(line, '=', lead, false);
  if (eq == std::string_view::npos) return KeyLine{trimmed, {}};
  return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// UTF-16 bytes in the file's order from those in memory, and back: both
// builds run little-endian.
std::string InOrder(std::string bytes, bool big_endian) {
  for (std::size_t i = 0; big_endian && i + 1 < bytes.size(); i += 2)
    std::swap(bytes[i], bytes[i + 1]);
  return bytes;
}

}  // namespace

IniDocument IniDocument::Parse(std::string bytes) {
  IniDocument doc;
  for (std::string_view bom : {kUtf8Bom, kUtf16LeBom, kUtf16BeBom}) {
    if (bytes.starts_with(bom)) doc.byte_order_mark_ = bom;
  }
  if (!doc.byte_order_mark_.empty()) doc.lead_ = &kNoLeadBytes;
  if (doc.byte_order_mark_.size() == 2) {
    const std::string in_memory = InOrder(bytes.substr(2), doc.byte_order_mark_ == kUtf16BeBom);
    std::u16string units(in_memory.size() / 2, u'\0');
    std::memcpy(units.data(), in_memory.data(), units.size() * 2);
    doc.Split(doc.Hold(Utf16ToWtf8(units)));
  } else {
    doc.Split(doc.Hold(std::move(bytes)).substr(doc.byte_order_mark_.size()));
  }
  return doc;
}

// Lines are views into one string: a 3 MB file has some 30,000 of them, and
// a string each costs the close several times its other work.
void IniDocument::Split(std::string_view text) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = LineEnd(text, start, *lead_);
    const std::string_view line = text.substr(start, end - start);
    if (const auto name = HeaderName(line, *lead_)) {
      sections_.push_back({line, *name, {}});
    } else {
      sections_.back().lines.push_back(line);
    }
    // CR LF, a lone CR and a lone LF all end a line.
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
}

void IniDocument::BecomeUtf16() {
  IniDocument unicode;
  unicode.byte_order_mark_ = kUtf16LeBom;
  unicode.lead_ = &kNoLeadBytes;
  unicode.Split(unicode.Hold(AnsiToUtf8(Serialize())));
  *this = std::move(unicode);
}

std::string IniDocument::Serialize() const {
  std::string text(byte_order_mark_.size() == 2 ? std::string_view() : byte_order_mark_);
  std::size_t size = text.size();
  for (const Section& section : sections_) {
    size += section.header.size() + 2;
    for (std::string_view line : section.lines) size += line.size() + 2;
  }
  text.reserve(size);  // at once: growing as it goes took ten times as long for 3 MB
  for (const Section& section : sections_) {
    if (&section != &sections_.front()) text.append(section.header).append("\r\n");
    for (std::string_view line : section.lines) text.append(line).append("\r\n");
  }
  if (byte_order_mark_.size() != 2) return text;
  const std::u16string units = Wtf8ToUtf16(text);
  return std::string(byte_order_mark_) +
         InOrder({reinterpret_cast<const char*>(units.data()), units.size() * 2},
                 byte_order_mark_ == kUtf16BeBom);
}

std::string_view IniDocument::Hold(std::string text) {
  texts_.push_back(std::make_shared<const std::string>(std::move(text)));
  return *texts_.back();
}

// ASCII is the same in every ANSI code page and in UTF-8, and addresses are
// ASCII: most values need no conversion.
std::string IniDocument::ToDocument(std::string_view text) const {
  return !byte_order_mark_.empty() || IsAscii(text) ? std::string(text) : Utf8ToAnsi(text);
}

std::string IniDocument::FromDocument(std::string_view text) const {
  return !byte_order_mark_.empty() || IsAscii(text) ? std::string(text) : AnsiToUtf8(text);
}

// Code-page bytes are cut without splitting a character and UTF-16 units
// as they come; a UTF-8 file's value counts as its code-page form when it
// has an exact one.
std::string IniDocument::Cut(std::string_view value) const {
  if (IsAscii(value)) return std::string(value.substr(0, kMaxValueUnits));
  std::optional<std::string> ansi;
  if (byte_order_mark_.empty()) {
    ansi = Utf8ToAnsi(AnsiToUtf8(value));  // a pair the code page lacks reads as its default
  } else if (byte_order_mark_ == kUtf8Bom) {
    ansi = ExactAnsi(value);
  }
  if (ansi) {
    ansi->resize(CutLength(*ansi, kMaxValueUnits));
    return byte_order_mark_.empty() ? *ansi : AnsiToUtf8(*ansi);
  }
  if (value.size() <= kMaxValueUnits) return std::string(value);  // never more units than bytes
  std::u16string units = Wtf8ToUtf16(value);
  units.resize(std::min(units.size(), kMaxValueUnits));
  return Utf16ToWtf8(units);
}

std::pair<std::size_t, std::size_t> IniDocument::Find(std::string_view section,
                                                      std::string_view key) const {
  for (std::size_t at_section = 1; at_section < sections_.size(); ++at_section) {
    if (!EqualsIgnoringAsciiCase(sections_[at_section].name, section)) continue;
    const std::vector<std::string_view>& lines = sections_[at_section].lines;
    for (std::size_t at = 0; at < lines.size(); ++at) {
      const auto line = ParseKeyLine(lines[at], *lead_);
      if (line && EqualsIgnoringAsciiCase(line->name, key)) return {at_section, at};
    }
    return {at_section, std::string::npos};
  }
  return {0, std::string::npos};
}

std::string IniDocument::Read(std::string_view section, std::string_view key) const {
  const auto [at_section, at] = Find(ToDocument(section), ToDocument(key));
  if (at == std::string::npos) return {};
  // The Windows functions hand values on as C strings: a zero byte ends one.
  std::string_view value = ParseKeyLine(sections_[at_section].lines[at], *lead_)->value;
  return FromDocument(Cut(Unquoted(value.substr(0, value.find('\0')))));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string clean(value.substr(0, value.find('\0')));
  std::erase_if(clean, [](char c) { return c == '\r' || c == '\n'; });
  if (clean.empty()) return Remove(section, key);
  if (byte_order_mark_.empty() && !IsAscii(clean) && !ExactAnsi(clean)) BecomeUtf16();
  std::string text = Cut(ToDocument(clean));
  // The reader trims blanks and takes one pair of matching quotes off: a
  // pair around the value keeps them.
  if (LostOnReading(text.front()) || LostOnReading(text.back())) text = '"' + text + '"';
  const std::string name = ToDocument(section), wanted = ToDocument(key);

  auto [at_section, at] = Find(name, wanted);
  if (at_section == 0) {
    const std::string_view header = Hold("[" + name + "]");
    sections_.push_back({header, header.substr(1, name.size()), {}});
    at_section = sections_.size() - 1;
  }
  std::vector<std::string_view>& lines = sections_[at_section].lines;
  if (at != std::string::npos) {
    const KeyLine old = *ParseKeyLine(lines[at], *lead_);
    // As the Windows functions judge it: the stored text, blanks trimmed.
    if (old.value == text && FindChar(lines[at], '=', *lead_, false) != std::string::npos) {
      return false;
    }
    lines[at] = Hold(std::string(old.name) + "=" + text);  // the first spelling stays
    return true;
  }
  // After the section's last key, so blank lines and comments that lead into
  // the next section stay with it.
  at = lines.size();
  while (at > 0 && !ParseKeyLine(lines[at - 1], *lead_)) --at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Hold(wanted + "=" + text));
  return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  const auto [at_section, at] = Find(ToDocument(section), ToDocument(key));
  if (at == std::string::npos) return false;
  std::vector<std::string_view>& lines = sections_[at_section].lines;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

}  // namespace velm
