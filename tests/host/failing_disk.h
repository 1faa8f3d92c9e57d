// velm.ini on a disk that can be made to fail: the n-th replacement of the
// file meets a full disk. Its temporary file is then a link to /dev/full, so
// the system itself refuses the bytes midway, as on a full disk. Keeps what
// the last replacement that took effect wrote, so a test can tell what the
// file must hold afterwards.
//
//   FailingDisk disk;
//   disk.FailChange(1);    // the first replacement from now on
//   ... run the program ...
//   disk.failed()          // whether a replacement met the failure
//   disk.committed()       // the content of the last one that took effect
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "portable_settings_file.h"

namespace velm {

class FailingDisk : public PortableSettingsFile {
 public:
  // 0: no failure. Counts changes from this call on.
  void FailChange(int n) {
    fail_at_ = n;
    changes_ = 0;
    failed_ = false;
  }
  int changes() const { return changes_; }
  bool failed() const { return failed_; }
  const std::optional<std::string>& committed() const { return committed_; }

  bool Replace(const SettingsPath& path, std::string_view bytes) override {
    if (++changes_ == fail_at_) {
      failed_ = true;
      ReplaceOnFullDisk(path, bytes);
      return false;
    }
    const bool ok = PortableSettingsFile::Replace(path, bytes);
    if (ok) committed_ = std::string(bytes);
    return ok;
  }

 private:
  // Empty content asks no byte of the disk, so it would go through: the
  // failure then comes before anything is written.
  void ReplaceOnFullDisk(const SettingsPath& path, std::string_view bytes) {
    if (bytes.empty()) return;
    const std::filesystem::path temp(path.wide() + u".new");
    std::filesystem::create_symlink("/dev/full", temp);
    (void)PortableSettingsFile::Replace(path, bytes);
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
  }

  int fail_at_ = 0;
  int changes_ = 0;
  bool failed_ = false;
  std::optional<std::string> committed_;
};

}  // namespace velm
