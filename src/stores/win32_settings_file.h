// velm.ini through the Windows file functions: read in one ReadFile, replaced
// through a flushed temporary file beside it and an atomic rename.
#pragma once

#include "stores/settings_file.h"

namespace velm {

class Win32SettingsFile : public SettingsFile {
 public:
  // A file that another program holds for a moment is waited for as a
  // replacement waits; one held longer is unreadable.
  FileState Load(const SettingsPath& path, std::string* bytes) override;
  // Where no temporary file can be made beside velm.ini (a folder that
  // cannot be written, holding a file that can; a full disk), the file is
  // rewritten in place instead, sized to its new length first.
  [[nodiscard]] bool Replace(const SettingsPath& path, std::string_view bytes) override;
  bool Writable(const SettingsPath& path) override;
};

}  // namespace velm
