#include "dialogs/win32_dialogs.h"

#include <string>

#include "dialogs/input_box.h"
#include "dialogs/message_dialog.h"

namespace velm {

// The window the user works in owns the dialog, so it stays above it.
HWND Win32Dialogs::Owner() const {
  HWND active = GetActiveWindow();
  return active && IsWindowVisible(active) ? active : fallback_owner_;
}

std::string Win32Dialogs::InputBox(std::string_view caption, std::string_view prompt,
                                   std::string_view default_text) {
  return RunInputBox(Owner(), std::string(caption), std::string(prompt), std::string(default_text));
}

int Win32Dialogs::ErrorDialog(std::string_view text) {
  return RunMessageDialog(Owner(), MessageKind::kError, std::string(text));
}

int Win32Dialogs::Confirm(std::string_view text) {
  return RunMessageDialog(Owner(), MessageKind::kConfirmation, std::string(text));
}

void Win32Dialogs::ShowMessage(std::string_view text) {
  RunMessageDialog(Owner(), MessageKind::kPlain, std::string(text));
}

}  // namespace velm
