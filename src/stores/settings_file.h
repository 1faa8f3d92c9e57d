// velm.ini as a whole: read in one piece when a settings handle opens,
// replaced in one piece when it commits.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "core/ansi_text.h"

namespace velm {

enum class FileState { kMissing, kLoaded, kUnreadable };

// velm.ini's path, in UTF-16 as the wide file functions take it: a folder's
// name need not fit the ANSI code page (한국어\, tools😀\), and café\ must not
// turn into a neighbouring cafe\. Only an error text shows it in the code page.
class SettingsPath {
 public:
  SettingsPath() = default;
  SettingsPath(std::u16string wide) : wide_(std::move(wide)) {}
  // A path as the ANSI functions name a file.
  SettingsPath(const std::string& ansi) : wide_(AnsiToUtf16(ansi)) {}

  const std::u16string& wide() const { return wide_; }
  std::string ansi() const { return Utf16ToAnsi(wide_); }

 private:
  std::u16string wide_;
};

class SettingsFile {
 public:
  virtual ~SettingsFile() = default;

  // The file's bytes as they lie on disk.
  virtual FileState Load(const SettingsPath& path, std::string* bytes) = 0;
  // Puts bytes in place of the file so that a reader finds either the old
  // content or the new one, never a mix; creates the file when it is
  // missing. false: refused, and the file is as it was. A read-only file is
  // never replaced.
  [[nodiscard]] virtual bool Replace(const SettingsPath& path, std::string_view bytes) = 0;
  // Whether Replace could go ahead: a missing file can be created, an
  // existing one must allow writing.
  virtual bool Writable(const SettingsPath& path) = 0;
};

}  // namespace velm
