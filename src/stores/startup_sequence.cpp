#include "stores/startup_sequence.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "core/ansi_text.h"
#include "core/error.h"
#include "stores/generations.h"
#include "stores/settings.h"

namespace velm {

namespace {

constexpr char kFormSection[] = "FORM";
constexpr char kListFlagKey[] = "LSTFLAG";
constexpr char kTopKey[] = "TOP";
constexpr char kLeftKey[] = "LEFT";
constexpr char kSettingsFileName[] = "velm.ini";

}  // namespace

std::string SettingsPathFor(const std::string& exe_path) {
  return exe_path.substr(0, FolderLength(exe_path)) + kSettingsFileName;
}

void SaveWindowSettings(SettingsFile& file, const std::string& ini_path,
                        const WindowSettings& window) {
  Settings settings(file, ini_path);
  settings.WriteBool(kFormSection, kListFlagKey, window.list_flag);
  settings.WriteInteger(kFormSection, kTopKey, window.top);
  settings.WriteInteger(kFormSection, kLeftKey, window.left);
  settings.Commit();
}

void RunStartupSequence(SettingsFile& file, RegistryBackend& registry, const std::string& ini_path,
                        const std::function<void(const HistoryValue&)>& append,
                        StartupState* state) {
  *state = StartupState{};
  Settings settings(file, ini_path);
  state->window.list_flag = settings.ReadBool(kFormSection, kListFlagKey, true);
  state->window.top = settings.ReadInteger(kFormSection, kTopKey, 0);
  state->window.left = settings.ReadInteger(kFormSection, kLeftKey, 0);

  RotateGenerations(settings);
  // The first value whose step staged the first write; 1 for the rotation.
  int first_write = settings.wrote() ? 1 : kHistoryValues + 1;

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
      if (first_write > kHistoryValues && settings.wrote()) first_write = n;
      if (!value.text.empty()) entries.push_back({n, value});
      reached = n + 1;
    });
  } catch (...) {
    stopped = std::current_exception();
  }

  // The entries go to the list once their snapshot is safe in the file.
  auto show_before = [&](int limit) {
    for (const Entry& entry : entries) {
      if (entry.n >= limit) break;
      // Until its append is through, the value counts as unseen, so the
      // close leaves it untouched.
      state->first_unseen = entry.n;
      append(entry.value);
    }
    state->first_unseen = limit;
  };
  try {
    settings.Commit();
  } catch (const Error&) {
    show_before(std::min(first_write, reached));
    throw;
  }
  show_before(reached);
  if (stopped) std::rethrow_exception(stopped);
}

}  // namespace velm
