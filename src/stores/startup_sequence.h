// The store side of the main window's creation, in its fixed order: window
// settings, rotation, then the history load with snapshot-then-append, all
// on one reading of velm.ini that is written back once at the end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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
  // First history value the load did not reach (26 after a complete load,
  // 1 when nothing was read). The close keeps values from here on.
  int first_unseen = 1;
};

// Reads the window settings into state->window (before anything else can
// fail, so the caller can apply them even when this throws), rotates, loads,
// and commits what was staged, also when the load stopped at a bad value.
// append is called with each non-empty history value in order. Throws the
// settings write or read error or the history errors; state holds what was
// reached. When velm.ini cannot be written, or could not be read (another
// program held it past the wait), nothing of the start-up reaches it, but
// the history is still read and shown as far as the load got; the settings
// error is then the one thrown: a file that could not be read is not
// written over, as its backups would be lost.
void RunStartupSequence(SettingsFile& file, RegistryBackend& registry, const SettingsPath& ini_path,
                        const std::function<void(const HistoryValue&)>& append,
                        StartupState* state);

}  // namespace velm
