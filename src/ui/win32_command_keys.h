// The keys of the list's commands, as Windows programs map theirs: one
// accelerator table, translated in the message loop before the dialog keys,
// so that the shortcut menu names the keys that work wherever the focus is
// in the form. Each key becomes WM_COMMAND with its ListAction's command id,
// the id the menu's items carry too.
//
//   CommandKeys keys(main_form);
//   if (!keys.Translate(msg)) { TranslateMessage(&msg); DispatchMessage(&msg); }
#pragma once

#include <windows.h>

#include <optional>

#include "core/win32_handles.h"
#include "ui/controls.h"

namespace velm::ui {

// The WM_COMMAND id of an action, clear of the forms' control ids and of
// the system menu's.
int CommandIdOf(ListAction action);
// The action of a command id; none for any other id.
std::optional<ListAction> ActionOfCommandId(int id);

class CommandKeys {
 public:
  explicit CommandKeys(HWND form) : form_(form) {}

  // A key of the table, for form or one of its controls, goes to form as
  // its command: true, and msg is done with. Not while a drop-down list is
  // open: its keys are its own then.
  bool Translate(MSG& msg);

 private:
  HWND form_;
  // Made at the first key, so a start that is never typed into costs nothing.
  UniqueAcceleratorTable table_;
};

}  // namespace velm::ui
