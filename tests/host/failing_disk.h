// velm.ini on a disk that can be made to fail: the n-th replacement of the
// file gets half its new content into the temporary file and then gives up,
// as on a full disk. Keeps what the last replacement that took effect wrote,
// so a test can tell what the file must hold afterwards.
//
//   FailingDisk disk;
//   disk.FailChange(1);    // the first replacement from now on
//   ... run the program ...
//   disk.failed()          // whether a replacement met the failure
//   disk.committed()       // the content of the last one that took effect
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "stores/portable_settings_file.h"

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

  bool Replace(const std::string& path, std::string_view bytes) override {
    const bool ok = PortableSettingsFile::Replace(path, bytes);
    if (ok) committed_ = std::string(bytes);
    return ok;
  }

 protected:
  bool WriteTemporary(const std::string& temp_path, std::string_view bytes) override {
    if (++changes_ != fail_at_) return PortableSettingsFile::WriteTemporary(temp_path, bytes);
    failed_ = true;
    (void)PortableSettingsFile::WriteTemporary(temp_path, bytes.substr(0, bytes.size() / 2));
    return false;
  }

 private:
  int fail_at_ = 0;
  int changes_ = 0;
  bool failed_ = false;
  std::optional<std::string> committed_;
};

}  // namespace velm
