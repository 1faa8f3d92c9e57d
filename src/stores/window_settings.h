// The main window's settings in velm.ini's [FORM] section: the view and the
// window's position, read at start-up and written at every close.
#pragma once

#include <cstdint>

#include "stores/settings.h"

namespace velm {

struct WindowSettings {
  bool list_flag = true;  // true: the list view; false: the drop-down view
  std::int32_t top = 0;
  std::int32_t left = 0;
};

// What is missing or unreadable reads as the defaults above.
WindowSettings ReadWindowSettings(Settings& settings);
// LSTFLAG, TOP, LEFT in that order; throws the settings write error of the
// first one refused.
void WriteWindowSettings(Settings& settings, const WindowSettings& window);

}  // namespace velm
