#include "stores/ini_document.h"

#include <optional>

#include "core/ascii_text.h"

namespace velm {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

const LeadByteTable kNoLeadBytes;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
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

// One past the end of the line that starts at i, with its CR LF, CR or LF.
// As when the platform converts the whole file, a lead byte takes the byte
// after it, even a line end.
std::size_t NextLine(std::string_view text, std::size_t i, const LeadByteTable& lead) {
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n') return i + 1;
    if (c == '\r') return i + (i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1);
    i += lead.IsLead(static_cast<unsigned char>(c)) ? 2 : 1;
  }
  return text.size();
}

std::string_view WithoutLineEnd(std::string_view line, std::size_t next) {
  std::size_t end = next;
  if (end > 0 && line[end - 1] == '\n') --end;
  if (end > 0 && line[end - 1] == '\r') --end;
  return line.substr(0, end);
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

std::u16string Utf16FromBytes(std::string_view bytes, bool big_endian) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    out[i] = static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
  }
  return out;
}

std::string Utf16ToBytes(std::u16string_view text, bool big_endian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t unit : text) {
    const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out.append({big_endian ? high : low, big_endian ? low : high});
  }
  return out;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  std::string utf8;
  if (bytes.starts_with(kUtf8Bom)) {
    doc.encoding_ = Encoding::kUtf8;
    bytes.remove_prefix(kUtf8Bom.size());
  } else if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
    const bool big_endian = bytes.starts_with(kUtf16BeBom);
    doc.encoding_ = big_endian ? Encoding::kUtf16Be : Encoding::kUtf16Le;
    utf8 = Utf16ToUtf8(Utf16FromBytes(bytes.substr(kUtf16LeBom.size()), big_endian));
    bytes = utf8;
  }
  if (doc.encoding_ != Encoding::kAnsi) doc.lead_ = &kNoLeadBytes;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t next = NextLine(bytes, start, *doc.lead_);
    std::string_view line = WithoutLineEnd(bytes.substr(start, next - start), next - start);
    if (const auto name = HeaderName(line, *doc.lead_)) {
      doc.sections_.push_back({std::string(line), std::string(*name), {}});
    } else {
      doc.sections_.back().lines.emplace_back(line);
    }
    start = next;
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string text;
  for (const Section& section : sections_) {
    if (&section != &sections_.front()) text.append(section.header).append("\r\n");
    for (const std::string& line : section.lines) text.append(line).append("\r\n");
  }
  switch (encoding_) {
    case Encoding::kAnsi:
      return text;
    case Encoding::kUtf8:
      return std::string(kUtf8Bom) + text;
    case Encoding::kUtf16Le:
      return std::string(kUtf16LeBom) + Utf16ToBytes(Utf8ToUtf16(text), false);
    case Encoding::kUtf16Be:
      return std::string(kUtf16BeBom) + Utf16ToBytes(Utf8ToUtf16(text), true);
  }
  return text;
}

std::string IniDocument::ToDocument(std::string_view ansi) const {
  return encoding_ == Encoding::kAnsi ? std::string(ansi) : AnsiToUtf8(ansi);
}

// Through the platform's conversion even from ANSI: a byte pair the code
// page does not know reads as its default character, as the platform reads it.
std::string IniDocument::ToAnsi(std::string_view text) const {
  return Utf8ToAnsi(encoding_ == Encoding::kAnsi ? AnsiToUtf8(text) : std::string(text));
}

std::size_t IniDocument::FindSection(std::string_view name) const {
  const std::string wanted = ToDocument(name);
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    if (EqualsIgnoringAsciiCase(sections_[i].name, wanted)) return i;
  }
  return 0;
}

std::size_t IniDocument::FindKey(const Section& section, std::string_view key) const {
  const std::string wanted = ToDocument(key);
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    const auto line = ParseKeyLine(section.lines[i], *lead_);
    if (line && EqualsIgnoringAsciiCase(line->name, wanted)) return i;
  }
  return std::string::npos;
}

std::string IniDocument::Read(std::string_view section, std::string_view key) const {
  const Section& found = sections_[FindSection(section)];
  const std::size_t at = &found == &sections_[0] ? std::string::npos : FindKey(found, key);
  if (at == std::string::npos) return {};
  // The Windows functions hand values on as C strings: a zero byte ends one.
  std::string_view value = ParseKeyLine(found.lines[at], *lead_)->value;
  std::string ansi = ToAnsi(Unquoted(value.substr(0, value.find('\0'))));
  ansi.resize(CutLength(ansi, kMaxProfileValueBytes));
  return ansi;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string clean(value.substr(0, value.find('\0')));
  std::erase_if(clean, [](char c) { return c == '\r' || c == '\n'; });
  // A read gives back no more; and with no trail byte after it, the
  // platform drops a last lead byte.
  clean.resize(CutLength(clean, kMaxProfileValueBytes));
  clean.resize(WholeLength(clean));
  // An empty value means no value: the program never writes one.
  if (clean.empty()) return Remove(section, key);
  const std::string text = ToDocument(clean);

  const std::size_t at_section = FindSection(section);
  if (at_section == 0) {
    const std::string name = ToDocument(section);
    sections_.push_back({"[" + name + "]", name, {ToDocument(key) + "=" + text}});
    return true;
  }
  std::vector<std::string>& lines = sections_[at_section].lines;
  if (const std::size_t at = FindKey(sections_[at_section], key); at != std::string::npos) {
    const KeyLine old = *ParseKeyLine(lines[at], *lead_);
    // As the Windows functions judge it: the stored text, blanks trimmed.
    if (old.value == Trim(text) && FindChar(lines[at], '=', *lead_, false) != std::string::npos) {
      return false;
    }
    lines[at] = std::string(old.name) + "=" + text;  // the first spelling stays
    return true;
  }
  // After the section's last key, so blank lines and comments that lead into
  // the next section stay with it.
  std::size_t at = lines.size();
  while (at > 0 && !ParseKeyLine(lines[at - 1], *lead_)) --at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), ToDocument(key) + "=" + text);
  return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  const std::size_t at_section = FindSection(section);
  if (at_section == 0) return false;
  std::vector<std::string>& lines = sections_[at_section].lines;
  const std::size_t at = FindKey(sections_[at_section], key);
  if (at == std::string::npos) return false;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

}  // namespace velm
