// Makes a modal box modal for the whole program: while an object lives, the
// program's other visible top-level windows are disabled; when it goes they
// are enabled again, and the window that was active gets the activation and
// its focused control the focus back.
#pragma once

#include <windows.h>

#include <vector>

namespace velm {

class TaskWindowsDisabler {
 public:
  // except: left alone, for the box's owner, which a system modal box
  // disables and enables itself: enabled again before the box hides, the
  // owner takes the activation, not another program.
  explicit TaskWindowsDisabler(HWND except = nullptr);
  ~TaskWindowsDisabler();
  TaskWindowsDisabler(const TaskWindowsDisabler&) = delete;
  TaskWindowsDisabler& operator=(const TaskWindowsDisabler&) = delete;

 private:
  std::vector<HWND> disabled_;
  HWND active_;
  HWND focus_;
};

}  // namespace velm
