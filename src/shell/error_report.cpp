#include "shell/error_report.h"

#include "core/report_text.h"
#include "shell/task_windows.h"
#include "ui/layout_geometry.h"

namespace velm {

namespace {

// The box opens on the monitor of the window the user was in, not on
// another one while every window of the program is barred: the system
// centres it on its owner's monitor, so the owner, the application window,
// still of no size, goes to the middle of that monitor's work area first.
void PlaceOnTheUsersMonitor(HWND app_window, WorkAreaLookup work_area_of) {
  HWND active = GetActiveWindow();
  std::optional<ui::PixelRect> active_work_area;
  if (active && active != app_window) active_work_area = work_area_of(active);
  RECT own{};
  GetWindowRect(app_window, &own);
  const ui::PixelPoint at = ui::ReportOwnerPlace(active_work_area, work_area_of(nullptr),
                                                 own.right - own.left, own.bottom - own.top);
  SetWindowPos(app_window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ui::PixelRect MonitorWorkArea(HWND window) {
  HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

void ShowErrorReport(HWND app_window, const std::string& message,
                     WorkAreaLookup work_area_of) noexcept {
  try {
    // A control that holds the mouse would otherwise keep it past the box.
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    const std::string text = WithFullStop(message);
    char caption[256] = "";
    GetWindowTextA(app_window, caption, sizeof caption);
    if (app_window) PlaceOnTheUsersMonitor(app_window, work_area_of);
    TaskWindowsDisabler modal(app_window);
    MessageBoxA(app_window, text.c_str(), caption, MB_OK | MB_ICONHAND);
  } catch (...) {
    // Out of memory while reporting: nothing more can be shown.
  }
}

}  // namespace velm
