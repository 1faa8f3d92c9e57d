#include "shell/message_loop.h"

#include <algorithm>

namespace velm {

namespace {

// The form a keyboard message is for, whose dialog keys (Tab, Enter, access
// keys) it may be; nullptr for any other message or window.
HWND FormTakingKeys(const MSG& msg, std::span<const HWND> forms) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return nullptr;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return std::find(forms.begin(), forms.end(), root) != forms.end() ? root : nullptr;
}

}  // namespace

int RunMessageLoop(std::span<const HWND> forms) {
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
    if (HWND form = FormTakingKeys(msg, forms); form && IsDialogMessageA(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int StartupShowCommand() {
  STARTUPINFOA info{};
  info.cb = sizeof info;
  GetStartupInfoA(&info);
  return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace velm
