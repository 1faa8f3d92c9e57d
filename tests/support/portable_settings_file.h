// velm.ini as a plain file through the C++ library, for the host's tests. A replacement goes
// through a temporary file beside velm.ini and a rename, so the file is never left half written.
#pragma once

#include "stores/settings_file.h"

namespace velm {

class PortableSettingsFile : public SettingsFile {
 public:
  FileState Load(const SettingsPath& path, std::string* bytes) override;
  [[nodiscard]] bool Replace(const SettingsPath& path, std::string_view bytes) override;
  bool Writable(const SettingsPath& path) override;
};

}  // namespace velm
