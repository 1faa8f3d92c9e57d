#include "stores/ini_document.h"

#include <cstdint>
#include <cstring>

#include "core/ansi_text.h"
#include "core/ascii_text.h"

namespace velm {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  // Trail bytes of double-byte characters are never blanks, so trimming from
  // the end cannot split a character.
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Where an ASCII character occurs as a character of its own, not as the
// trail byte of a double-byte one: its first occurrence, or its last.
std::size_t FindFirstChar(std::string_view s, char wanted) {
  const LeadByteTable& lead = SystemLeadBytes();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (lead.IsLead(static_cast<unsigned char>(s[i]))) {
      ++i;
    } else if (s[i] == wanted) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::size_t FindLastChar(std::string_view s, char wanted) {
  std::size_t last = std::string_view::npos;
  const LeadByteTable& lead = SystemLeadBytes();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (lead.IsLead(static_cast<unsigned char>(s[i]))) {
      ++i;
    } else if (s[i] == wanted) {
      last = i;
    }
  }
  return last;
}

// Whether any byte of word is b.
bool HoldsByte(std::uint64_t word, unsigned char b) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  const std::uint64_t x = word ^ (kOnes * b);
  return ((x - kOnes) & ~x & (kOnes * 0x80)) != 0;
}

// Where the line that starts at start ends: at its CR or LF, or at the end.
// Eight bytes at a time in one pass: the Windows runtime's memchr (Wine's
// among them) goes a byte at a time, and find_first_of with a set makes a
// library call per byte.
std::size_t LineEnd(std::string_view bytes, std::size_t start) {
  std::size_t i = start;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    if (HoldsByte(word, '\n') || HoldsByte(word, '\r')) break;
  }
  for (; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') return i;
  }
  return bytes.size();
}

// The name of a section header line, nullopt for any other line.
std::optional<std::string_view> HeaderName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  const std::size_t close = FindLastChar(line, ']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, close));
}

struct KeyLine {
  std::string_view name;
  std::string_view value;
};

// A key line is any line that is not blank, a comment or a header; without
// "=" its value is empty.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || HeaderName(line)) return std::nullopt;
  const std::size_t eq = FindFirstChar(line, '=');
  if (eq == std::string_view::npos) return KeyLine{Trim(line), {}};
  return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::string Joined(std::string_view a, std::string_view b, std::string_view c) {
  std::string out;
  out.reserve(a.size() + b.size() + c.size());
  out.append(a).append(b).append(c);
  return out;
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

IniDocument IniDocument::Parse(std::string text) {
  IniDocument doc;
  // Views, not a string per line: a 3 MB file has some 30,000 lines.
  const std::string_view bytes = doc.Keep(std::move(text));
  // A section's lines gather here first, so each section allocates once.
  std::vector<std::string_view> pending;
  // CR LF, a lone CR and a lone LF all end a line.
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = LineEnd(bytes, start);
    const std::string_view line = bytes.substr(start, end - start);
    if (const auto name = HeaderName(line)) {
      doc.sections_.back().lines.assign(pending.begin(), pending.end());
      pending.clear();
      doc.sections_.push_back({line, *name, {}});
    } else {
      pending.push_back(line);
    }
    const bool crlf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }
  doc.sections_.back().lines.assign(pending.begin(), pending.end());
  return doc;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) size += sections_[i].header.size() + 2;
    for (std::string_view line : sections_[i].lines) size += line.size() + 2;
  }
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) out.append(sections_[i].header).append("\r\n");
    for (std::string_view line : sections_[i].lines) out.append(line).append("\r\n");
  }
  return out;
}

std::string_view IniDocument::Keep(std::string text) {
  storage_.push_back(std::make_shared<const std::string>(std::move(text)));
  return *storage_.back();
}

std::size_t IniDocument::FindSection(std::string_view name) const {
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    if (EqualsIgnoringAsciiCase(sections_[i].name, name)) return i;
  }
  return sections_.size();
}

std::size_t IniDocument::FindKey(const Section& section, std::string_view key) {
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    const auto line = ParseKeyLine(section.lines[i]);
    if (line && EqualsIgnoringAsciiCase(line->name, key)) return i;
  }
  return std::string::npos;
}

void IniDocument::InsertLine(std::size_t section, std::size_t at, std::string_view line) {
  std::vector<std::string_view>& lines = sections_[section].lines;
  const auto at_line = lines.begin() + static_cast<std::ptrdiff_t>(at);
  const auto name = HeaderName(line);
  if (!name) {
    lines.insert(at_line, line);
    return;
  }
  Section split{line, *name, {at_line, lines.end()}};
  lines.erase(at_line, lines.end());
  sections_.insert(sections_.begin() + static_cast<std::ptrdiff_t>(section) + 1, std::move(split));
}

void IniDocument::AppendLine(std::string_view line) {
  InsertLine(sections_.size() - 1, sections_.back().lines.size(), line);
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const std::size_t at_section = FindSection(section);
  if (at_section == sections_.size()) return std::nullopt;
  const Section& found = sections_[at_section];
  const std::size_t at = FindKey(found, key);
  if (at == std::string::npos) return std::nullopt;
  // The Windows functions hand values on as C strings: a zero byte ends one.
  std::string_view value = ParseKeyLine(found.lines[at])->value;
  return Unquote(value.substr(0, value.find('\0')));
}

std::string IniDocument::Read(std::string_view section, std::string_view key) const {
  std::string value = Find(section, key).value_or("");
  value.resize(CutLength(value, kMaxProfileValueBytes));
  return value;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::size_t at_section = FindSection(section);
  if (at_section == sections_.size()) {
    AppendLine(Keep(Joined("[", section, "]")));
    AppendLine(Keep(Joined(key, "=", value)));
    return true;
  }
  std::vector<std::string_view>& lines = sections_[at_section].lines;
  if (const std::size_t at = FindKey(sections_[at_section], key); at != std::string::npos) {
    const KeyLine line = *ParseKeyLine(lines[at]);
    // As the Windows functions judge it: the stored text, blanks trimmed.
    if (line.value == Trim(value) && FindFirstChar(lines[at], '=') != std::string_view::npos) {
      return false;
    }
    const std::string_view replaced = Keep(Joined(line.name, "=", value));  // first spelling
    if (!HeaderName(replaced)) {
      lines[at] = replaced;
    } else {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
      InsertLine(at_section, at, replaced);
    }
    return true;
  }
  // After the section's last key, so blank lines and comments that lead into
  // the next section stay with it.
  std::size_t insert_at = lines.size();
  while (insert_at > 0 && !ParseKeyLine(lines[insert_at - 1])) --insert_at;
  InsertLine(at_section, insert_at, Keep(Joined(key, "=", value)));
  return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  const std::size_t at_section = FindSection(section);
  if (at_section == sections_.size()) return false;
  std::vector<std::string_view>& lines = sections_[at_section].lines;
  const std::size_t at = FindKey(sections_[at_section], key);
  if (at == std::string::npos) return false;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

}  // namespace velm
