#pragma once

#include <windows.h>

#include <functional>
#include <span>

#include "ui/win32_command_keys.h"

namespace velm {

// Runs the thread's message loop until WM_QUIT and returns its exit code.
// A key of keys' table for its form becomes that form's command; any other
// key for one of forms (or a control on it) then gets the dialog-key
// handling: Tab between controls in tab order, Enter on a focused button.
// Dialogs run loops of their own, so no command key reaches them.
// after_input runs after each key or mouse message for the forms, whose
// handlers may have changed what they show.
int RunMessageLoop(std::span<const HWND> forms, const std::function<void()>& after_input = {},
                   ui::CommandKeys* keys = nullptr);

// The show command the program was started with: wShowWindow when
// STARTF_USESHOWWINDOW is set, else SW_SHOWDEFAULT.
int StartupShowCommand();

}  // namespace velm
