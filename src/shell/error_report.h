// The error report: shows an error that escaped a handler in a system message
// box and lets the program go on.
#pragma once

#include <windows.h>

#include <string>

#include "ui/layout_geometry.h"

namespace velm {

// The work area of the monitor window is on, of the primary monitor for
// nullptr.
ui::PixelRect MonitorWorkArea(HWND window);
using WorkAreaLookup = ui::PixelRect (*)(HWND window);

// app_window: the application window, the box's owner and the source of its
// caption; work_area_of: where the monitors are. Never throws.
void ShowErrorReport(HWND app_window, const std::string& message,
                     WorkAreaLookup work_area_of = MonitorWorkArea) noexcept;

}  // namespace velm
