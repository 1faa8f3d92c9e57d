// The main window's settings in velm.ini's [FORM] section: the view and the
// window's position, read at start-up and written at every close.
#pragma once

#include <cstdint>
#include <string>

#include "stores/settings.h"
#include "stores/settings_file.h"

namespace velm {

struct WindowSettings {
  bool list_flag = true;  // true: the list view; false: the drop-down view
  std::int32_t top = 0;
  std::int32_t left = 0;
};

// From the reading settings holds; what is missing or unreadable reads as
// the defaults above.
WindowSettings ReadWindowSettings(Settings& settings);

// Writes the window settings in one replacement of velm.ini, as the close
// does. Throws the settings write error, or the read error when velm.ini
// could not be read; then none of the three is written.
void SaveWindowSettings(SettingsFile& file, const SettingsPath& ini_path,
                        const WindowSettings& window);

}  // namespace velm
