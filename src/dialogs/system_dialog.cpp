#include "dialogs/system_dialog.h"

#include <exception>
#include <optional>
#include <utility>

#include "core/ansi_text.h"
#include "core/system_function.h"
#include "shell/clipboard.h"
#include "shell/task_windows.h"
#include "ui/dialogs.h"
#include "ui/dispatch.h"
#include "ui/win32_controls.h"
#include "ui/win32_dpi.h"
#include "ui/win32_window_error.h"

namespace velm {

namespace {

constexpr DWORD kStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_VISIBLE | DS_MODALFRAME;

// No menu, the dialog class, no title (the caption is set when the dialog
// starts), no font (the controls get the layout's) and no
// controls (they are placed in pixels, which a template cannot say).
struct alignas(4) EmptyTemplate {
  DLGTEMPLATE head{kStyle, 0, 0, 0, 0, 0, 0};
  WORD menu = 0;
  WORD window_class = 0;
  WORD title = 0;
};

struct HookTraits {
  using Handle = HHOOK;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle hook) { UnhookWindowsHookEx(hook); }
};
using UniqueHook = UniqueResource<HookTraits>;

// Windows 10 on: the dialog manager would otherwise scale a dialog of a
// per-monitor program itself on a dpi change, on top of our own layout.
using SetDialogDpiChangeBehaviorFunction = BOOL WINAPI(HWND, int, int);
constexpr int kDisableAllDpiScaling = 1;  // DDC_DISABLE_ALL

// Vista's Common Controls 6 on; Windows 10 1607 on.
using LoadIconWithScaleDownFunction = HRESULT WINAPI(HINSTANCE, PCWSTR, int, int, HICON*);
using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);

// The system icon id as large as a large icon at dpi, scaled down from a
// larger image rather than stretched from the primary monitor's size.
UniqueIcon SystemIconAt(LPCSTR id, int dpi) {
  static auto* const metrics_for_dpi =
      SystemFunction<GetSystemMetricsForDpiFunction>("user32.dll", "GetSystemMetricsForDpi");
  static auto* const load_scaled =
      SystemFunction<LoadIconWithScaleDownFunction>("comctl32.dll", "LoadIconWithScaleDown");
  const int size = metrics_for_dpi ? metrics_for_dpi(SM_CXICON, dpi)
                                   : MulDiv(GetSystemMetrics(SM_CXICON), dpi, ui::ScreenDpi());
  HICON icon = nullptr;
  if (load_scaled &&
      SUCCEEDED(load_scaled(nullptr, MAKEINTRESOURCEW(LOWORD(reinterpret_cast<ULONG_PTR>(id))),
                            size, size, &icon)))
    return UniqueIcon(icon);
  return UniqueIcon(CopyIcon(LoadIconA(nullptr, id)));  // the system's size
}

bool Held(int virtual_key) {
  return GetKeyState(virtual_key) < 0;
}

ui::Rect RectOf(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class DialogRun {
 public:
  DialogRun(HWND owner, const DialogDesign& design) : owner_(owner), design_(design) {}
  DialogOutcome Run();

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK KeyFilter(int code, WPARAM wparam, LPARAM lparam);
  void Start();
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  bool FilterKey(const MSG& msg) const;
  bool IsButton(int id) const;
  bool ReadsEntry(int id) const;
  void LayOut(int dpi);
  void End(int result);

  static thread_local DialogRun* current_;  // the dialog whose keys the filter sees
  HWND owner_;
  const DialogDesign& design_;
  HWND dialog_ = nullptr;
  std::vector<HWND> controls_;
  DialogFace face_;
  UniqueIcon icon_;  // of the dpi laid out at
  std::optional<int> result_;
  std::string text_;
  std::exception_ptr failure_;
};

thread_local DialogRun* DialogRun::current_ = nullptr;

DialogOutcome DialogRun::Run() {
  DialogRun* outer = std::exchange(current_, this);
  {
    // The dialog manager disables and enables the owner itself, enabling it
    // before the dialog hides; the program's other windows are ours to bar.
    TaskWindowsDisabler others(owner_);
    UniqueHook filter(SetWindowsHookExA(WH_MSGFILTER, &KeyFilter, nullptr, GetCurrentThreadId()));
    const EmptyTemplate empty;
    const INT_PTR ended = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.head, owner_,
                                                  &Procedure, reinterpret_cast<LPARAM>(this));
    // A quit message ends the manager's loop without EndDialog, which
    // would have enabled the owner.
    if (owner_) EnableWindow(owner_, TRUE);
    current_ = outer;
    if (failure_) std::rethrow_exception(failure_);
    if (ended == -1) ui::ThrowWindowCreationError();
  }
  return {result_.value_or(ui::kResultCancel), std::move(text_)};
}

INT_PTR CALLBACK DialogRun::Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogRun*>(lparam);
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    self->dialog_ = dialog;
    try {
      self->Start();
    } catch (...) {
      self->failure_ = std::current_exception();
      EndDialog(dialog, 0);
    }
    return FALSE;  // the focus is set
  }
  auto* self = reinterpret_cast<DialogRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return FALSE;
  bool handled = false;
  LRESULT result = 0;
  ui::Dispatch([&] { handled = self->HandleMessage(message, wparam, lparam, &result); });
  if (handled) SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return handled;
}

// Runs for every message the dialog manager's loop takes, before the
// manager looks at it. true: the message is done with.
LRESULT CALLBACK DialogRun::KeyFilter(int code, WPARAM wparam, LPARAM lparam) {
  if (code >= 0 && current_ && current_->FilterKey(*reinterpret_cast<const MSG*>(lparam)))
    return TRUE;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool DialogRun::FilterKey(const MSG& msg) const {
  if (msg.message != WM_KEYDOWN || !dialog_ || GetAncestor(msg.hwnd, GA_ROOT) != dialog_)
    return false;
  const bool shift = Held(VK_SHIFT), ctrl = Held(VK_CONTROL), alt = Held(VK_MENU);
  switch (msg.wParam) {
    case VK_RETURN:
    case VK_ESCAPE:
      return shift || ctrl || alt;  // with a modifier: nothing
    case 'C':
      if (!ctrl || shift || alt || design_.copy_text.empty()) return false;
      // Copied by the dialog procedure, where an error can be reported.
      PostMessageA(dialog_, WM_COPY, 0, 0);
      return true;
  }
  return false;
}

void DialogRun::Start() {
  if (design_.entry_caption)
    ui::SetWindowTextFromEntry(dialog_, design_.caption);
  else
    SetWindowTextA(dialog_, design_.caption.c_str());
  static auto* const set_dpi_behavior = SystemFunction<SetDialogDpiChangeBehaviorFunction>(
      "user32.dll", "SetDialogDpiChangeBehavior");
  if (set_dpi_behavior) set_dpi_behavior(dialog_, kDisableAllDpiScaling, kDisableAllDpiScaling);
  bool after_static = false;
  for (const DialogControl& control : design_.controls) {
    // A static is a group of its own: Windows' dialog manager never gives
    // one the focus, Wine's moves the arrow keys onto any in their group.
    const bool is_static = lstrcmpiA(control.window_class, "STATIC") == 0;
    const DWORD group = is_static || after_static ? WS_GROUP : 0;
    after_static = is_static;
    // Unicode windows, as the dialog is: an edit made by the ANSI function
    // keeps its text in the code page and loses what an entry holds beyond.
    const std::u16string window_class = AnsiToUtf16(control.window_class);
    HWND made =
        CreateWindowExW(control.ex_style, reinterpret_cast<const wchar_t*>(window_class.c_str()),
                        L"", WS_CHILD | WS_VISIBLE | group | control.style, 0, 0, 0, 0, dialog_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!made) ui::ThrowWindowCreationError();
    if (control.entry_text)
      ui::SetWindowTextFromEntry(made, control.text);
    else
      ui::SetWindowTextFromAnsi(made, control.text);
    // After the text: a longer one is shown whole and can be shortened, not
    // lengthened.
    if (control.text_limit) SendMessageA(made, EM_LIMITTEXT, control.text_limit, 0);
    controls_.push_back(made);
  }
  const int dpi = DialogDpi(owner_);
  LayOut(dpi);
  const SIZE outer = ui::OuterSize(dialog_, {face_.client.width, face_.client.height}, dpi);
  const ui::Rect at = ui::CentredIn(MonitorOf(owner_).work, {outer.cx, outer.cy});
  SetWindowPos(dialog_, nullptr, at.left, at.top, at.width, at.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(dialog_, DM_SETDEFID, design_.default_id, 0);
  // The first tab stop gets the focus as the dialog manager gives it: an
  // edit field with its text selected. Set here, since the controls did not
  // exist yet when the manager looked for one.
  if (HWND first = GetNextDlgTabItem(dialog_, nullptr, FALSE))
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

bool DialogRun::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) {
        if (design_.on_notify && lparam)
          design_.on_notify(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
        return false;
      }
      if (IsButton(LOWORD(wparam)))
        End(LOWORD(wparam));
      else if (LOWORD(wparam) == IDCANCEL)  // Esc
        End(design_.cancel_result);
      return true;
    case WM_CLOSE:  // the close box, the system menu, Alt+F4
      End(ui::kResultCancel);
      return true;
    case WM_COPY:
      MessageBeep(0);
      CopyTextToClipboard(dialog_, design_.copy_text);
      return true;
    case WM_GETDPISCALEDSIZE: {  // the size the coming WM_DPICHANGED suggests
      const int dpi = static_cast<int>(wparam);
      const DialogFace face = design_.lay_out(dpi);
      *reinterpret_cast<SIZE*>(lparam) =
          ui::OuterSize(dialog_, {face.client.width, face.client.height}, dpi);
      *result = TRUE;
      return true;
    }
    case WM_DPICHANGED: {
      LayOut(HIWORD(wparam));
      const ui::Rect at = RectOf(*reinterpret_cast<const RECT*>(lparam));
      SetWindowPos(dialog_, nullptr, at.left, at.top, at.width, at.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return true;
    }
  }
  return false;
}

bool DialogRun::ReadsEntry(int id) const {
  for (const DialogControl& control : design_.controls)
    if (control.id == id) return control.entry_text;
  return false;
}

bool DialogRun::IsButton(int id) const {
  for (const DialogControl& control : design_.controls)
    if (control.id == id && lstrcmpiA(control.window_class, "BUTTON") == 0) return true;
  return false;
}

// Every control placed and given the font of the layout at dpi, made from
// the design each time, so no rounding carries over from one dpi to the
// next; an icon made for dpi. The old font and icon go once no control
// holds them.
void DialogRun::LayOut(int dpi) {
  DialogFace face = design_.lay_out(dpi);
  UniqueIcon icon;
  for (std::size_t i = 0; i < controls_.size() && i < face.places.size(); ++i) {
    if (LPCSTR id = design_.controls[i].system_icon) {
      icon = SystemIconAt(id, dpi);
      SendMessageA(controls_[i], STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    }
    const ui::Rect& at = face.places[i];
    SetWindowPos(controls_[i], nullptr, at.left, at.top, at.width, at.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(face.font.get()), FALSE);
  }
  face_ = std::move(face);
  if (icon) icon_ = std::move(icon);
}

void DialogRun::End(int result) {
  if (result_) return;
  result_ = result;
  if (design_.read_back_id) {
    HWND control = GetDlgItem(dialog_, design_.read_back_id);
    text_ =
        ReadsEntry(design_.read_back_id) ? ui::EntryWindowText(control) : ui::WindowText(control);
  }
  EndDialog(dialog_, result);
}

}  // namespace

int DialogDpi(HWND owner) {
  return owner ? ui::WindowDpi(owner) : ui::ScreenDpi();
}

MonitorAreas MonitorOf(HWND owner) {
  HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                           : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) {
    const ui::Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {screen, screen};
  }
  return {RectOf(info.rcMonitor), RectOf(info.rcWork)};
}

DialogOutcome RunSystemDialog(HWND owner, const DialogDesign& design) {
  return DialogRun(owner, design).Run();
}

}  // namespace velm
