// Wraps a profile back end for tests: counts writes and flushes, and refuses
// chosen writes the way a read-only velm.ini would.
#pragma once

#include <string>
#include <utility>

#include "stores/profile_backend.h"

namespace velm::testing {

class RecordingProfile : public ProfileBackend {
 public:
  explicit RecordingProfile(ProfileBackend& inner) : inner_(inner) {}

  void FailWriteAt(std::string section, std::string key) {
    fail_section_ = std::move(section);
    fail_key_ = std::move(key);
  }

  int write_calls() const { return write_calls_; }
  int flushes() const { return flushes_; }

  std::string Read(const std::string& path, std::string_view section,
                   std::string_view key) override {
    return inner_.Read(path, section, key);
  }
  bool Write(const std::string& path, std::string_view section, std::string_view key,
             std::string_view value) override {
    ++write_calls_;
    if (section == fail_section_ && key == fail_key_) return false;
    return inner_.Write(path, section, key, value);
  }
  void Delete(const std::string& path, std::string_view section, std::string_view key) override {
    inner_.Delete(path, section, key);
  }
  void Flush(const std::string& path) override {
    ++flushes_;
    inner_.Flush(path);
  }

 private:
  ProfileBackend& inner_;
  std::string fail_section_;
  std::string fail_key_;
  int write_calls_ = 0;
  int flushes_ = 0;
};

}  // namespace velm::testing
