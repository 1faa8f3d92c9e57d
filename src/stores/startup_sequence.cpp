#include "stores/startup_sequence.h"

#include <exception>
#include <vector>

#include "core/error.h"
#include "stores/generations.h"
#include "stores/settings.h"

namespace velm {

namespace {

constexpr char16_t kSettingsFileName[] = u"velm.ini";

}  // namespace

SettingsPath SettingsPathFor(const std::u16string& exe_path) {
  return exe_path.substr(0, exe_path.find_last_of(u"\\/") + 1) + kSettingsFileName;
}

void RunStartupSequence(SettingsFile& file, RegistryBackend& registry, const SettingsPath& ini_path,
                        const std::function<void(const HistoryValue&)>& append,
                        StartupState* state) {
  *state = StartupState{};
  Settings settings(file, ini_path);
  state->window = ReadWindowSettings(settings);

  RotateGenerations(settings);

  struct Entry {
    int n;
    HistoryValue value;
  };
  std::vector<Entry> entries;
  int reached = 1;
  std::exception_ptr stopped;
  try {
    HistoryStore(registry).Load([&](int n, const HistoryValue& value) {
      SnapshotValue(settings, n, value.text);
      if (!value.text.empty()) entries.push_back({n, value});
      reached = n + 1;
    });
  } catch (...) {
    stopped = std::current_exception();
  }

  // A backup that cannot be kept costs the backup only: the history is read
  // whole all the same, so the close writes back what the user saw rather
  // than an empty list over values never shown. The report comes first.
  std::exception_ptr unsaved;
  try {
    settings.Commit();
  } catch (const Error&) {
    unsaved = std::current_exception();
  }
  for (const Entry& entry : entries) {
    // Until its append is through, the value counts as unseen, so the close
    // leaves it untouched.
    state->first_unseen = entry.n;
    append(entry.value);
  }
  state->first_unseen = reached;
  if (unsaved) std::rethrow_exception(unsaved);
  if (stopped) std::rethrow_exception(stopped);
}

}  // namespace velm
