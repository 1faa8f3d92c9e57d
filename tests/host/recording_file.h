// Wraps a settings-file back end for tests: counts loads and replacements,
// and refuses every replacement the way a read-only velm.ini would.
#pragma once

#include <string>

#include "stores/settings_file.h"

namespace velm::testing {

class RecordingFile : public SettingsFile {
 public:
  explicit RecordingFile(SettingsFile& inner) : inner_(inner) {}

  void RefuseWrites() { refuse_ = true; }

  int loads() const { return loads_; }
  int replaces() const { return replaces_; }

  FileState Load(const SettingsPath& path, std::string* bytes) override {
    ++loads_;
    return inner_.Load(path, bytes);
  }
  bool Replace(const SettingsPath& path, std::string_view bytes) override {
    ++replaces_;
    return !refuse_ && inner_.Replace(path, bytes);
  }
  bool Writable(const SettingsPath& path) override { return !refuse_ && inner_.Writable(path); }

 private:
  SettingsFile& inner_;
  bool refuse_ = false;
  int loads_ = 0;
  int replaces_ = 0;
};

}  // namespace velm::testing
