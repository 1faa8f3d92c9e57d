// velm.ini on a disk that can be made to fail: the n-th change of the file (a
// write or a delete that replaces it) gets half its new content into the
// temporary file and then gives up, as on a full disk. Keeps a log of the
// writes and deletes that took effect, so a test can tell what the file must
// hold afterwards.
//
//   FailingDiskProfile disk;
//   disk.FailChange(3);    // the third change from now on
//   ... run the program ...
//   disk.failed_call()     // the write or delete that met the failure
//   disk.log()             // what took effect
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stores/portable_profile.h"

namespace velm {

struct ProfileCall {
  std::string section;
  std::string key;
  std::optional<std::string> value;  // nullopt: a delete
};

class FailingDiskProfile : public PortableProfile {
 public:
  // 0: no failure. Counts changes from this call on.
  void FailChange(int n) {
    fail_at_ = n;
    changes_ = 0;
  }
  int changes() const { return changes_; }
  const std::optional<ProfileCall>& failed_call() const { return failed_call_; }
  const std::vector<ProfileCall>& log() const { return log_; }

  bool Write(const std::string& path, std::string_view section, std::string_view key,
             std::string_view value) override {
    hit_ = false;
    const bool ok = PortableProfile::Write(path, section, key, value);
    Record({std::string(section), std::string(key), std::string(value)}, ok);
    return ok;
  }
  void Delete(const std::string& path, std::string_view section, std::string_view key) override {
    hit_ = false;
    PortableProfile::Delete(path, section, key);
    Record({std::string(section), std::string(key), std::nullopt}, !hit_);
  }

 protected:
  bool WriteTemporary(const std::string& temp_path, std::string_view bytes) override {
    if (++changes_ != fail_at_) return PortableProfile::WriteTemporary(temp_path, bytes);
    hit_ = true;
    (void)PortableProfile::WriteTemporary(temp_path, bytes.substr(0, bytes.size() / 2));
    return false;
  }

 private:
  void Record(ProfileCall call, bool took_effect) {
    if (hit_) failed_call_ = call;
    if (took_effect) log_.push_back(std::move(call));
  }

  int fail_at_ = 0;
  int changes_ = 0;
  bool hit_ = false;
  std::optional<ProfileCall> failed_call_;
  std::vector<ProfileCall> log_;
};

}  // namespace velm
