#include "stores/ini_document.h"

#include <cstring>

#include "core/ansi_text.h"

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

// Where the line that starts at start ends: at its CR or LF, or at the end.
// Two memchr scans; find_first_of with a set makes a library call per byte,
// which dominated reading a 300 KB file.
std::size_t LineEnd(std::string_view bytes, std::size_t start) {
  const char* begin = bytes.data() + start;
  const std::size_t rest = bytes.size() - start;
  const void* lf = std::memchr(begin, '\n', rest);
  const std::size_t before_lf = lf ? static_cast<const char*>(lf) - begin : rest;
  const void* cr = std::memchr(begin, '\r', before_lf);
  return start + (cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : before_lf);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
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
  // CR LF, a lone CR and a lone LF all end a line.
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = LineEnd(bytes, start);
    doc.lines_.push_back(bytes.substr(start, end - start));
    const bool crlf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (std::string_view line : lines_) size += line.size() + 2;
  std::string out;
  out.reserve(size);
  for (std::string_view line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::string_view IniDocument::Keep(std::string text) {
  storage_.push_back(std::make_shared<const std::string>(std::move(text)));
  return *storage_.back();
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = HeaderName(lines_[i]);
    if (name && SameName(*name, section)) return i;
  }
  return lines_.size();
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !HeaderName(lines_[i])) ++i;
  return i;
}

std::size_t IniDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const auto line = ParseKeyLine(lines_[i]);
    if (line && SameName(line->name, key)) return i;
  }
  return std::string::npos;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) return std::nullopt;
  const std::size_t at = FindKey(header, key);
  if (at == std::string::npos) return std::nullopt;
  // The Windows functions hand values on as C strings: a zero byte ends one.
  std::string_view value = ParseKeyLine(lines_[at])->value;
  return Unquote(value.substr(0, value.find('\0')));
}

std::string IniDocument::Read(std::string_view section, std::string_view key) const {
  std::string value = Find(section, key).value_or("");
  value.resize(CutLength(value, kMaxProfileValueBytes));
  return value;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    lines_.push_back(Keep(Joined("[", section, "]")));
    lines_.push_back(Keep(Joined(key, "=", value)));
    return true;
  }
  if (const std::size_t at = FindKey(header, key); at != std::string::npos) {
    const KeyLine line = *ParseKeyLine(lines_[at]);
    // As the Windows functions judge it: the stored text, blanks trimmed.
    if (line.value == Trim(value) && FindFirstChar(lines_[at], '=') != std::string_view::npos) {
      return false;
    }
    lines_[at] = Keep(Joined(line.name, "=", value));  // first spelling stays
    return true;
  }
  // After the section's last key, so blank lines and comments that lead into
  // the next section stay with it.
  std::size_t insert_at = SectionEnd(header);
  while (insert_at > header + 1 && !ParseKeyLine(lines_[insert_at - 1])) --insert_at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at),
                Keep(Joined(key, "=", value)));
  return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) return false;
  const std::size_t at = FindKey(header, key);
  if (at == std::string::npos) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

}  // namespace velm
