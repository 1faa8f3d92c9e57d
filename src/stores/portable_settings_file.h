// velm.ini as a plain file through the C++ library, for platforms without
// the Windows file functions and for tests. A replacement goes through a
// temporary file beside velm.ini and a rename, so the file is never left
// half written.
#pragma once

#include "stores/settings_file.h"

namespace velm {

class PortableSettingsFile : public SettingsFile {
 public:
  FileState Load(const std::string& path, std::string* bytes) override;
  [[nodiscard]] bool Replace(const std::string& path, std::string_view bytes) override;
  bool Writable(const std::string& path) override;
  // Knows no code page: ASCII passes, a byte outside it stands for itself in
  // the private use area, and any other character reads as "?".
  std::u16string Widen(std::string_view ansi) override;
  std::string Narrow(std::u16string_view wide) override;

 protected:
  // Puts the new content into the temporary file. false: it could not, as
  // with a full disk; the temporary file may then hold part of bytes. The one
  // step where the disk can fail midway, so tests replace it to fail there.
  virtual bool WriteTemporary(const std::string& temp_path, std::string_view bytes);
};

}  // namespace velm
