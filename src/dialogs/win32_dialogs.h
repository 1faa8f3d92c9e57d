// The dialogs the handlers call, as the program's own windows.
#pragma once

#include <windows.h>

#include "ui/dialogs.h"

namespace velm {

class Win32Dialogs final : public ui::Dialogs {
 public:
  // fallback_owner: owns a dialog opened while none of the program's windows
  // is active (the application window; nullptr in tests).
  explicit Win32Dialogs(HWND fallback_owner) : fallback_owner_(fallback_owner) {}

  std::string InputBox(std::string_view caption, std::string_view prompt,
                       std::string_view default_text) override;
  int ErrorDialog(std::string_view text) override;
  int Confirm(std::string_view text) override;
  void ShowMessage(std::string_view text) override;

 private:
  HWND Owner() const;

  HWND fallback_owner_;
};

}  // namespace velm
