// The settings document seen one value at a time, through the same four
// calls as the private-profile functions: each call opens a settings handle
// (one reading of the file), does its one thing and commits. The contract
// suites run it beside Win32Profile, so the document's reading and writing
// rules are held against the Windows functions value by value. Its texts
// are in the code page, as theirs: the document's entry text is converted.
#pragma once

#include "portable_settings_file.h"
#include "profile_backend.h"
#include "stores/settings_file.h"

namespace velm {

class DocumentProfile : public ProfileBackend {
 public:
  explicit DocumentProfile(SettingsFile& file) : file_(file) {}

  std::string Read(const std::string& path, std::string_view section,
                   std::string_view key) override;
  // Drops CR and LF from a value: they would create lines.
  [[nodiscard]] bool Write(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view value) override;
  void Delete(const std::string& path, std::string_view section, std::string_view key) override;
  // Every write is complete when it returns.
  void Flush(const std::string& path) override;

 private:
  SettingsFile& file_;
};

// The document over a plain file.
class PortableProfile : public DocumentProfile {
 public:
  PortableProfile() : DocumentProfile(file_) {}

 private:
  PortableSettingsFile file_;
};

}  // namespace velm
