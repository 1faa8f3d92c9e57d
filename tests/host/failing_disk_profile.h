// velm.ini on a disk that can be made to fail: the n-th change of the file (a
// write or a delete that replaces it) meets a full disk. The temporary file
// the change writes is then a link to /dev/full, so the system itself refuses
// the bytes, as on a full disk. Keeps a log of the writes and deletes that
// took effect, so a test can tell what the file must hold afterwards.
//
//   FailingDiskProfile disk;
//   disk.FailChange(3);    // the third change from now on
//   ... run the program ...
//   disk.failed_call()     // the write or delete that met the failure
//   disk.log()             // what took effect
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "scratch_dir.h"
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
    ProfileCall call{std::string(section), std::string(key), std::string(value)};
    return Change(path, call, [&](const std::string& on) {
      return PortableProfile::Write(on, section, key, value);
    });
  }
  void Delete(const std::string& path, std::string_view section, std::string_view key) override {
    Change(path, {std::string(section), std::string(key), std::nullopt},
           [&](const std::string& on) {
             PortableProfile::Delete(on, section, key);
             return true;
           });
  }

 private:
  // Runs call on path, counting the changes by the file's bytes. The change
  // that is to fail is told apart first, by a dry run on a copy.
  template <typename Call>
  bool Change(const std::string& path, ProfileCall logged, Call&& call) {
    if (changes_ + 1 == fail_at_ && ChangesFile(path, call)) {
      ++changes_;
      FailNextReplace(path, call);
      failed_call_ = std::move(logged);
      return false;
    }
    const std::optional<std::string> before = Content(path);
    const bool ok = call(path);
    if (Content(path) != before) ++changes_;
    if (ok) log_.push_back(std::move(logged));
    return ok;
  }

  template <typename Call>
  bool ChangesFile(const std::string& path, Call& call) {
    namespace fs = std::filesystem;
    const std::string copy = path + ".dry-run";
    std::error_code ec;
    fs::remove(copy, ec);
    if (fs::exists(path, ec)) fs::copy_file(path, copy, ec);
    call(copy);
    const bool changed = Content(copy) != Content(path);
    fs::remove(copy, ec);
    return changed;
  }

  // The temporary file is a link to /dev/full while call runs.
  template <typename Call>
  static void FailNextReplace(const std::string& path, Call& call) {
    namespace fs = std::filesystem;
    const std::string temp = path + ".new";
    fs::create_symlink("/dev/full", temp);
    (void)call(path);
    std::error_code ignored;
    fs::remove(temp, ignored);
  }

  // nullopt: no file.
  static std::optional<std::string> Content(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    return testing::ReadBytes(path);
  }

  int fail_at_ = 0;
  int changes_ = 0;
  std::optional<ProfileCall> failed_call_;
  std::vector<ProfileCall> log_;
};

}  // namespace velm
