#include "shell/error_report.h"

#include "core/report_text.h"
#include "shell/task_windows.h"

namespace velm {

void ShowErrorReport(HWND app_window, const std::string& message) noexcept {
  try {
    // A control that holds the mouse would otherwise keep it past the box.
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    const std::string text = WithFullStop(message);
    char caption[256] = "";
    GetWindowTextA(app_window, caption, sizeof caption);
    TaskWindowsDisabler modal(app_window);
    MessageBoxA(app_window, text.c_str(), caption, MB_OK | MB_ICONHAND);
  } catch (...) {
    // Out of memory while reporting: nothing more can be shown.
  }
}

}  // namespace velm
