#pragma once

#include <windows.h>

#include <functional>
#include <span>

namespace velm {

// Runs the thread's message loop until WM_QUIT and returns its exit code.
// A key for one of forms (or a control on it) first gets the dialog-key
// handling: Tab between controls in tab order, Enter on a focused button.
// after_input runs after each key or mouse message for the forms, whose
// handlers may have changed what they show.
int RunMessageLoop(std::span<const HWND> forms, const std::function<void()>& after_input = {});

// The show command the program was started with: wShowWindow when
// STARTF_USESHOWWINDOW is set, else SW_SHOWDEFAULT.
int StartupShowCommand();

}  // namespace velm
