// The text of an INI file (in the ANSI code page) as lines, read and changed
// the way the Windows private-profile functions do: names match without
// regard to ASCII case and keep their first spelling; the first of two
// sections or keys of one name wins; blanks around names, "=" and values are
// trimmed on reading, a section's name is what stands between "[" and the
// last "]", and one pair of matching quotes is stripped from a value. Lines
// the document does not change are written back byte for byte (CP932 text
// untouched); every line ends in CR LF.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velm {

// The most a read gives back of a value, as with a 2,048-byte buffer.
inline constexpr std::size_t kMaxProfileValueBytes = 2047;

class IniDocument {
 public:
  // Keeps bytes and holds its lines as views into it.
  static IniDocument Parse(std::string bytes);
  std::string Serialize() const;

  // The value as a reader sees it; nullopt when section or key is absent.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // As a read with a 2,048-byte buffer gives it: absent reads as empty, and
  // the value is cut to 2,047 bytes without splitting a character.
  std::string Read(std::string_view section, std::string_view key) const;
  // Replaces the key's line, or adds it at the end of its section, adding the
  // section at the end of the file when it is new. false: the key already
  // held this value, and nothing changed.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes the key's line and keeps the section header. false: not there.
  bool Remove(std::string_view section, std::string_view key);

 private:
  // A header line and the lines up to the next one. The first section holds
  // the lines before any header and has no header of its own.
  struct Section {
    std::string_view header;
    std::string_view name;
    std::vector<std::string_view> lines;
  };

  // Index of the first section of that name, or sections_.size().
  std::size_t FindSection(std::string_view name) const;
  // Index of the key's line in section.lines, or npos.
  static std::size_t FindKey(const Section& section, std::string_view key);
  // Puts line at index at of the section's lines. A line that reads as a
  // header starts a section there, taking the lines after it, as it does
  // when the file is read again.
  void InsertLine(std::size_t section, std::size_t at, std::string_view line);
  void AppendLine(std::string_view line);
  // A view of text that lives as long as the document or any copy of it.
  std::string_view Keep(std::string text);

  // The text the lines view: the bytes read, and each line written since.
  // Shared by copies, never changed.
  std::vector<std::shared_ptr<const std::string>> storage_;
  // Indexed by section, so a lookup passes over headers, not every line,
  // and a new line moves only its own section's lines.
  std::vector<Section> sections_ = std::vector<Section>(1);
};

}  // namespace velm
