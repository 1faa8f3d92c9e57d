// The error report: shows an error that escaped a handler in a system message
// box and lets the program go on.
#pragma once

#include <windows.h>

#include <string>

namespace velm {

// app_window: the application window, the box's owner and the source of its
// caption. Never throws.
void ShowErrorReport(HWND app_window, const std::string& message) noexcept;

}  // namespace velm
