#pragma once

#include <windows.h>

#include <string>

namespace velm {

enum class MessageKind {
  kError,         // "エラー", stop icon, OK
  kConfirmation,  // "確認", question icon, Yes / No
  kPlain,         // the application title, no icon, OK
};

// Shows a message dialog and returns 1, 2, 6 or 7.
int RunMessageDialog(HWND owner, MessageKind kind, const std::string& message);

}  // namespace velm
