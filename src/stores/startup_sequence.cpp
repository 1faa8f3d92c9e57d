#include "stores/startup_sequence.h"

#include "core/ansi_text.h"
#include "stores/generations.h"
#include "stores/settings.h"

namespace velm {

namespace {

constexpr char kFormSection[] = "FORM";
constexpr char kSettingsFileName[] = "velm.ini";

}  // namespace

std::string SettingsPathFor(const std::string& exe_path) {
  return exe_path.substr(0, FolderLength(exe_path)) + kSettingsFileName;
}

void RunStartupSequence(ProfileBackend& profile, RegistryBackend& registry,
                        const std::string& ini_path,
                        const std::function<void(const HistoryValue&)>& append,
                        StartupState* state) {
  *state = StartupState{};
  Settings settings(profile, ini_path);
  state->window.list_flag = settings.ReadBool(kFormSection, "LSTFLAG", true);
  state->window.top = settings.ReadInteger(kFormSection, "TOP", 0);
  state->window.left = settings.ReadInteger(kFormSection, "LEFT", 0);

  RotateGenerations(settings);

  HistoryStore history(registry);
  history.Load([&](int n, const HistoryValue& value) {
    const std::string& text = value.text;
    // Until this step is through, value n counts as unseen: a failing read,
    // snapshot or append leaves it to the close untouched.
    state->first_unseen = n;
    SnapshotValue(settings, n, text);
    if (!text.empty()) append(value);
    state->first_unseen = n + 1;
  });
}

}  // namespace velm
