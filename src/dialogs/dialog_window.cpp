#include "dialogs/dialog_window.h"

#include "shell/clipboard.h"
#include "shell/task_windows.h"
#include "ui/dialogs.h"
#include "ui/win32_dpi.h"

namespace velm {

namespace {

constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME;

bool KeyDown(int virtual_key) {
  return GetKeyState(virtual_key) < 0;
}

}  // namespace

DialogWindow::DialogWindow(HWND owner, const std::string& caption, ui::Size client, HFONT font)
    : font_(font), dpi_(ui::ScreenDpi()) {
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, kFrameStyle, FALSE, kFrameExStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  WNDCLASSEXA cls{};
  cls.lpszClassName = "VelmDialog";
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  CreateOfClass(cls, kFrameExStyle, caption.c_str(), kFrameStyle,
                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner);
}

DialogWindow::~DialogWindow() {
  DestroyNow();
}

HWND DialogWindow::AddControl(const char* cls, int id, const std::string& text, const ui::Rect& at,
                              DWORD style, DWORD ex_style) {
  HWND control = CreateWindowExA(ex_style, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 at.left, at.top, at.width, at.height, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (!control) ui::ThrowWindowCreationError();
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND DialogWindow::AddButton(int result, const std::string& caption, const ui::Rect& at,
                             bool is_default) {
  HWND button = AddControl("BUTTON", result, caption, at,
                           WS_TABSTOP | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0);
  buttons_.emplace_back(result, button);
  return button;
}

HWND DialogWindow::AddText(int id, const std::string& text, const ui::Rect& at, DWORD style) {
  return AddControl("STATIC", id, text, at, style, 0);
}

HWND DialogWindow::AddIcon(HICON icon, const ui::Rect& at) {
  HWND control = AddControl("STATIC", -1, "", at, SS_ICON, 0);
  SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return control;
}

HWND DialogWindow::AddEdit(const std::string& text, const ui::Rect& at, int limit) {
  // The text goes in before the limit: a longer default is shown whole and
  // can be shortened, not lengthened.
  HWND edit =
      AddControl("EDIT", 100, text, at, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE);
  SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
  return edit;
}

int DialogWindow::ButtonResult(HWND window) const {
  for (const auto& [result, button] : buttons_)
    if (button == window) return result;
  return 0;
}

void DialogWindow::MoveFocus(bool backwards) {
  HWND next = GetNextDlgTabItem(hwnd(), GetFocus(), backwards);
  if (!next) return;
  SetFocus(next);
  // Like a dialog box: an edit field entered by Tab has its text selected.
  if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageA(next, EM_SETSEL, 0, -1);
}

// The dialog keys, looked at before a key message is translated. true: the
// key was the dialog's (and is not passed on).
bool DialogWindow::HandleKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  const bool shift = KeyDown(VK_SHIFT);
  const bool ctrl = KeyDown(VK_CONTROL);
  const bool alt = KeyDown(VK_MENU) || (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29)));
  const bool plain = !shift && !ctrl && !alt;
  const auto key = static_cast<int>(msg.wParam);
  switch (key) {
    case VK_RETURN:
      if (plain) {
        const int focused = ButtonResult(GetFocus());
        if (focused || default_result_) result_ = focused ? focused : default_result_;
      }
      return true;  // with a modifier: nothing
    case VK_ESCAPE:
      if (plain && cancel_result_) result_ = cancel_result_;
      return true;
    case VK_TAB:
      if (ctrl || alt) return false;
      MoveFocus(shift);
      return true;
    case 'C':
      if (ctrl && !shift && !alt && !copy_text_.empty()) {
        MessageBeep(0);
        ui::Dispatch([&] { CopyTextToClipboard(hwnd(), copy_text_); });
        return true;
      }
      break;
  }
  if (ctrl) return false;
  for (const auto& [access_key, result] : access_keys_) {
    if (access_key == key) {
      result_ = result;
      return true;
    }
  }
  return false;
}

int DialogWindow::Run(HWND first_focus) {
  bool quit = false;
  WPARAM quit_code = 0;
  {
    TaskWindowsDisabler modal(hwnd());
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    if (first_focus) {
      SetFocus(first_focus);
      if (SendMessageA(first_focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(first_focus, EM_SETSEL, 0, -1);
    }
    MSG msg;
    while (!result_) {
      if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        WaitMessage();
        continue;
      }
      if (msg.message == WM_QUIT) {  // log-off or shut-down: as if cancelled
        quit = true;
        quit_code = msg.wParam;
        result_ = ui::kResultCancel;
        break;
      }
      if (HandleKey(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    ShowWindow(hwnd(), SW_HIDE);
  }
  // The loop that took the quit message was not the one it was meant for.
  if (quit) PostQuitMessage(static_cast<int>(quit_code));
  return *result_;
}

// Every control and the font from the old dpi to the new; the window takes
// the rectangle the system suggests. The font of the old dpi goes once no
// control holds it any more.
void DialogWindow::ScaleTo(int dpi, const RECT& suggested) {
  LOGFONTA font{};
  GetObjectA(font_, sizeof font, &font);
  font.lfHeight = MulDiv(font.lfHeight, dpi, dpi_);
  UniqueFont scaled{CreateFontIndirectA(&font)};
  for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT at{};
    GetWindowRect(child, &at);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&at), 2);
    SetWindowPos(child, nullptr, MulDiv(at.left, dpi, dpi_), MulDiv(at.top, dpi, dpi_),
                 MulDiv(at.right - at.left, dpi, dpi_), MulDiv(at.bottom - at.top, dpi, dpi_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (scaled) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.get()), TRUE);
  }
  if (scaled) {
    font_ = scaled.get();
    scaled_font_ = std::move(scaled);
  }
  dpi_ = dpi;
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT DialogWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && ButtonResult(reinterpret_cast<HWND>(lparam)))
        result_ = LOWORD(wparam);
      return 0;
    case WM_CLOSE:  // close box, system menu, Alt+F4
      result_ = ui::kResultCancel;
      return 0;
    case WM_DPICHANGED:
      ScaleTo(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
  }
  return DefWindowProcA(hwnd(), message, wparam, lparam);
}

}  // namespace velm
