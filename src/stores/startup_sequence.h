// The store side of the main window's creation, in its fixed order: window
// settings, the history load, a new generation when the history is a new
// state, then the entries appended, all on one reading of velm.ini that is
// written back once, before the entries.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "stores/history_store.h"
#include "stores/registry_backend.h"
#include "stores/settings_file.h"
#include "stores/window_settings.h"

namespace velm {

// "<folder of exe_path>velm.ini"; exe_path is the wide path the system gives,
// cut at its last backslash (or slash).
SettingsPath SettingsPathFor(const std::u16string& exe_path);

struct StartupState {
  WindowSettings window;
  // The non-empty history values the load gave, in order: the n-th value
  // appended is loaded[n - 1]. The close tells from them what other
  // programs changed meanwhile.
  std::vector<HistoryValue> loaded;
  // The history key's last-write time before loaded was read, if told.
  std::optional<std::uint64_t> loaded_stamp;
};

// Reads the window settings into state->window (before anything else can
// fail, so the caller can apply them even when this throws), loads the
// history, keeps it as a new generation when it is one, and commits what
// was staged. append is called with each non-empty history value in order,
// also when a value could not be read. Throws the settings write or read
// error or the history error of the first unreadable value; state holds what
// was reached. When velm.ini cannot be written, or could not be read (another
// program held it past the wait), nothing of the start-up reaches it, but the
// history is still shown; the settings error is then the one thrown: a file
// that could not be read is not written over, as its backups would be lost.
void RunStartupSequence(SettingsFile& file, RegistryBackend& registry, const SettingsPath& ini_path,
                        const std::function<void(const HistoryValue&)>& append,
                        StartupState* state);

}  // namespace velm
