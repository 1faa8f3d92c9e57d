#include "shell/message_loop.h"

#include <algorithm>

namespace velm {

namespace {

bool IsKey(const MSG& msg) {
  return msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
}

// The form a message is for, nullptr for any other window.
HWND FormOf(const MSG& msg, std::span<const HWND> forms) {
  if (!msg.hwnd) return nullptr;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return std::find(forms.begin(), forms.end(), root) != forms.end() ? root : nullptr;
}

}  // namespace

int RunMessageLoop(std::span<const HWND> forms, const std::function<void()>& after_input,
                   ui::CommandKeys* keys) {
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
    HWND form = FormOf(msg, forms);
    // A key for a form (or a control on it) may be a command or a dialog
    // key.
    const bool form_key = form && IsKey(msg);
    if (!form_key || !((keys && keys->Translate(msg)) || IsDialogMessageA(form, &msg))) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const bool input = IsKey(msg) || (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
    if (form && input && after_input) after_input();
  }
}

int StartupShowCommand() {
  STARTUPINFOA info{};
  info.cb = sizeof info;
  GetStartupInfoA(&info);
  return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace velm
