#include "shell/task_windows.h"

namespace velm {

namespace {

struct Collect {
  HWND except;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectEnabled(HWND window, LPARAM param) {
  auto* collect = reinterpret_cast<Collect*>(param);
  if (window != collect->except && IsWindowVisible(window) && IsWindowEnabled(window))
    collect->windows->push_back(window);
  return TRUE;
}

}  // namespace

TaskWindowsDisabler::TaskWindowsDisabler(HWND except)
    : active_(GetActiveWindow()), focus_(GetFocus()) {
  Collect collect{except, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&collect));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

TaskWindowsDisabler::~TaskWindowsDisabler() {
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  if (active_ && IsWindow(active_)) SetActiveWindow(active_);
  if (focus_ && IsWindow(focus_) && (focus_ == active_ || IsChild(active_, focus_)))
    SetFocus(focus_);
}

}  // namespace velm
