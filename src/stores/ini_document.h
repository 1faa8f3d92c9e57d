// velm.ini as lines, read and changed the way the Windows private-profile
// functions do: names match without regard to ASCII case and keep their
// first spelling; the first of two sections or keys of one name wins; blanks
// around names, "=" and values are trimmed on reading, a section's name is
// what stands between "[" and the last "]", and one pair of matching quotes
// is stripped from a value.
//
// The file keeps its encoding: ANSI, or UTF-8 or UTF-16 (LE or BE) with a
// byte-order mark. An ANSI file is held as its bytes and any other as WTF-8,
// so every line the document does not change goes back as it came (each
// line ends in CR LF). Names and values come in, and values go out, as entry
// text (core/entry_text.h). An ANSI file stays so while every value written
// has an exact code-page form; the first that has none turns the whole file
// into UTF-16 LE with a byte-order mark, the Unicode form the Windows
// profile functions read and write as such, every line converted.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ansi_text.h"

namespace velm {

class IniDocument {
 public:
  static IniDocument Parse(std::string bytes);
  // The file's bytes, in the encoding it was read in.
  std::string Serialize() const;

  // As a read with a 2,048-unit buffer gives it: absent reads as empty, and
  // the value is cut to 2,047 units of the file's encoding (code-page bytes,
  // never half a character, or UTF-16 units).
  std::string Read(std::string_view section, std::string_view key) const;
  // Replaces the key's line, or adds it after the last key of its section,
  // adding the section at the end when it is new. The value is taken as the
  // platform takes it: up to a zero byte, without CR or LF (they would start
  // lines of their own) and cut as a read would cut it; a value that is
  // then empty removes the key. A value the reader would trim or unquote is
  // written in a pair of double quotes. false: nothing changed.
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

  void Split(std::string_view text);
  void BecomeUtf16();
  // Entry text to the document's form and back.
  std::string ToDocument(std::string_view text) const;
  std::string FromDocument(std::string_view text) const;
  // A value in the document's form as a read cuts it.
  std::string Cut(std::string_view value) const;
  // Of names as the document holds them: the index of the section, 0 (no
  // header) when there is none, and of the key's line in it, or npos.
  std::pair<std::size_t, std::size_t> Find(std::string_view section, std::string_view key) const;
  // A view of text that lives as long as the document or any copy of it.
  std::string_view Hold(std::string text);

  // Empty for an ANSI file; else UTF-8's or UTF-16's (LE or BE).
  std::string_view byte_order_mark_;
  // Where the document's characters begin: UTF-8 has no lead bytes that an
  // ASCII byte could follow.
  const LeadByteTable* lead_ = &SystemLeadBytes();
  // The text the lines view: the text read, and each line written since.
  // Shared by copies, never changed.
  std::vector<std::shared_ptr<const std::string>> texts_;
  std::vector<Section> sections_ = std::vector<Section>(1);
};

}  // namespace velm
