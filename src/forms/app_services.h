// What the two forms need from the world around them, handed in by the entry
// point (real Win32 pieces) or by a test (portable back ends, scripted dialogs).
#pragma once

#include <functional>
#include <string>

#include "stores/registry_backend.h"
#include "stores/settings_file.h"
#include "ui/dialogs.h"

namespace velm {

struct AppServices {
  SettingsFile& settings_file;  // velm.ini
  RegistryBackend& registry;
  ui::Dialogs& dialogs;
  std::u16string exe_path;                // full path of the running executable
  std::function<void()> end_application;  // posts the quit message
  // Puts an entry's text on the clipboard; throws the clipboard error.
  std::function<void(const std::string& entry)> copy_to_clipboard;
};

}  // namespace velm
