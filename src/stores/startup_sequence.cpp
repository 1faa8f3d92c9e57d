#include "stores/startup_sequence.h"

#include "stores/ansi_text.h"
#include "stores/generations.h"
#include "stores/settings.h"

namespace velm {

namespace {

constexpr char kSettingsFileName[] = "velm.ini";

}  // namespace

std::string SettingsPathFor(const std::string& exe_path) {
  std::size_t folder_end = 0;  // one past the last separator
  for (std::size_t i = 0; i < exe_path.size(); ++i) {
    const auto c = static_cast<unsigned char>(exe_path[i]);
    if (IsLeadByte(c) && i + 1 < exe_path.size()) {
      ++i;
    } else if (c == '\\' || c == '/') {
      folder_end = i + 1;
    }
  }
  return exe_path.substr(0, folder_end) + kSettingsFileName;
}

void RunStartupSequence(ProfileBackend& profile, RegistryBackend& registry,
                        const std::string& ini_path,
                        const std::function<void(const std::string&)>& append,
                        StartupState* state) {
  *state = StartupState{};
  Settings settings(profile, ini_path);
  state->window = ReadWindowSettings(settings);

  RotateGenerations(settings);

  HistoryStore history(registry);
  history.Load([&](int n, const std::string& text) {
    // Until this step is through, value n counts as unseen: a failing read,
    // snapshot or append leaves it to the close untouched.
    state->first_unseen = n;
    SnapshotValue(settings, n, text);
    if (!text.empty()) append(text);
    state->first_unseen = n + 1;
  });
}

}  // namespace velm
