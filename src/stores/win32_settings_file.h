// velm.ini through the Windows file functions: read in one ReadFile, replaced
// through a flushed temporary file beside it and an atomic rename.
#pragma once

#include "stores/settings_file.h"

namespace velm {

class Win32SettingsFile : public SettingsFile {
 public:
  FileState Load(const std::string& path, std::string* bytes) override;
  // Where no temporary file can be made beside velm.ini (a folder that
  // cannot be written, holding a file that can), the file is rewritten in
  // place with one write instead.
  [[nodiscard]] bool Replace(const std::string& path, std::string_view bytes) override;
  bool Writable(const std::string& path) override;
};

}  // namespace velm
