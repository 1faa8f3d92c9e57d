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

  // The history is read before the generations move, since whether they
  // move depends on it. A missing key reads as an empty history.
  std::vector<std::string> texts(kHistoryValues);
  std::exception_ptr unreadable;
  try {
    HistoryStore(registry).Load(
        [&](int n, const HistoryValue& value) {
          texts[static_cast<std::size_t>(n) - 1] = value.text;
          if (!value.text.empty()) state->loaded.push_back(value);
        },
        &state->loaded_stamp);
  } catch (const Error&) {
    unreadable = std::current_exception();
  }
  KeepGeneration(settings, texts);

  // A backup that cannot be kept costs the backup only: the history is
  // shown whole all the same. The report comes first.
  std::exception_ptr unsaved;
  try {
    settings.Commit();
  } catch (const Error&) {
    unsaved = std::current_exception();
  }
  for (const HistoryValue& value : state->loaded) append(value);
  if (unsaved) std::rethrow_exception(unsaved);
  if (unreadable) std::rethrow_exception(unreadable);
}

}  // namespace velm
