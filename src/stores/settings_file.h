// velm.ini as a whole: read in one piece when a settings handle opens,
// replaced in one piece when it commits.
#pragma once

#include <string>
#include <string_view>

namespace velm {

enum class FileState { kMissing, kLoaded, kUnreadable };

class SettingsFile {
 public:
  virtual ~SettingsFile() = default;

  // The file's bytes as they lie on disk.
  virtual FileState Load(const std::string& path, std::string* bytes) = 0;
  // Puts bytes in place of the file so that a reader finds either the old
  // content or the new one, never a mix; creates the file when it is
  // missing. false: refused, and the file is as it was. A read-only file is
  // never replaced.
  [[nodiscard]] virtual bool Replace(const std::string& path, std::string_view bytes) = 0;
  // Whether Replace could go ahead: a missing file can be created, an
  // existing one must allow writing.
  virtual bool Writable(const std::string& path) = 0;
};

}  // namespace velm
