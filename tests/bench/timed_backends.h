// Settings-file and registry back ends that count and time every call they
// pass on, so the time of start-up and close can be split into the platform
// calls of the stores and everything around them (the benchmark's build of the
// program and the benchmark use them). The clock is handed in: the
// performance counter on Windows, a fake one in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "stores/registry_backend.h"
#include "stores/settings_file.h"

namespace velm {

using TickSource = std::function<std::int64_t()>;

struct CallTally {
  int calls = 0;
  std::int64_t ticks = 0;

  CallTally& operator+=(const CallTally& other) {
    calls += other.calls;
    ticks += other.ticks;
    return *this;
  }
};

// Times loads, replacements and write checks of velm.ini.
class TimedSettingsFile : public SettingsFile {
 public:
  TimedSettingsFile(SettingsFile& inner, TickSource now);

  const CallTally& loads() const { return loads_; }
  const CallTally& replaces() const { return replaces_; }
  const CallTally& checks() const { return checks_; }
  CallTally total() const;
  void Reset();

  FileState Load(const SettingsPath& path, std::string* bytes) override;
  [[nodiscard]] bool Replace(const SettingsPath& path, std::string_view bytes) override;
  bool Writable(const SettingsPath& path) override;

 private:
  // Adds the time call() takes to tally and gives its result.
  template <typename Call>
  auto Timed(CallTally& tally, Call&& call);

  SettingsFile& inner_;
  TickSource now_;
  CallTally loads_, replaces_, checks_;
};

class TimedRegistry : public RegistryBackend {
 public:
  TimedRegistry(RegistryBackend& inner, TickSource now);

  // Every operation together: open, queries, deletes, writes and close.
  const CallTally& total() const { return total_; }
  void Reset() { total_ = {}; }

  [[nodiscard]] OpenResult Open(KeyUse use, Key* key) override;
  [[nodiscard]] bool QuerySize(Key key, const std::string& name, std::uint32_t* type,
                               std::uint32_t* size) override;
  [[nodiscard]] bool QueryData(Key key, const std::string& name, std::uint32_t* type,
                               std::vector<char>* data) override;
  [[nodiscard]] bool QueryLastWrite(Key key, std::uint64_t* stamp) override;
  void Delete(Key key, const std::string& name) override;
  [[nodiscard]] bool Write(Key key, const std::string& name, std::u16string_view text) override;
  void Close(Key key) override;

 private:
  template <typename Call>
  auto Timed(Call&& call);

  RegistryBackend& inner_;
  TickSource now_;
  CallTally total_;
};

}  // namespace velm
