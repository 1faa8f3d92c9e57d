#pragma once

#include <windows.h>

#include <span>

namespace velm {

// Runs the thread's message loop until WM_QUIT and returns its exit code.
// A key for one of forms (or a control on it) first gets the dialog-key
// handling: Tab between controls in tab order, Enter on a focused button.
int RunMessageLoop(std::span<const HWND> forms);

// The show command the program was started with: wShowWindow when
// STARTF_USESHOWWINDOW is set, else SW_SHOWDEFAULT.
int StartupShowCommand();

}  // namespace velm
