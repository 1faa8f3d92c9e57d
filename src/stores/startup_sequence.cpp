#include "stores/startup_sequence.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "core/error.h"

#include "stores/ansi_text.h"
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

void SaveWindowSettings(SettingsFile& file, const std::string& ini_path,
                        const WindowSettings& window) {
  Settings settings(file, ini_path);
  settings.WriteBool(kFormSection, kListFlagKey, window.list_flag);
  settings.WriteInteger(kFormSection, kTopKey, window.top);
  settings.WriteInteger(kFormSection, kLeftKey, window.left);
  settings.Commit();
}

void RunStartupSequence(SettingsFile& file, RegistryBackend& registry, const std::string& ini_path,
                        const std::function<void(const std::string&)>& append,
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
    std::string text;
  };
  std::vector<Entry> entries;
  int reached = 1;
  std::exception_ptr stopped;
  try {
    HistoryStore(registry).Load([&](int n, const std::string& text) {
      SnapshotValue(settings, n, text);
      if (first_write > kHistoryValues && settings.wrote()) first_write = n;
      if (!text.empty()) entries.push_back({n, text});
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
      append(entry.text);
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
