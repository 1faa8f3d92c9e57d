#include "shell/app_window.h"

#include <commctrl.h>

namespace velm {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
// Posted to itself: activation is handed on after WM_ACTIVATE has finished.
constexpr UINT kActivateForm = WM_APP + 1;
// Posted to itself: previews are offered once the message loop runs, not at
// the cost of start-up.
constexpr UINT kOfferPreviews = WM_APP + 2;
// Windows 7 on: the window manager asks for a preview.
constexpr UINT kSendIconicThumbnail = 0x0323;    // WM_DWMSENDICONICTHUMBNAIL
constexpr UINT kSendIconicLivePreview = 0x0326;  // WM_DWMSENDICONICLIVEPREVIEWBITMAP

}  // namespace

AppWindow::AppWindow(const char* title, DwmLookup dwm) : previews_(dwm) {
  WNDCLASSEXA cls{};
  cls.lpszClassName = "VelmApplication";
  cls.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  CreateOfClass(cls, 0, title, kStyle, GetSystemMetrics(SM_CXSCREEN) / 2,
                GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr);
  // The taskbar entry's menu: Restore, Minimize and Close only.
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  for (UINT item : {SC_MAXIMIZE, SC_SIZE, SC_MOVE}) DeleteMenu(menu, item, MF_BYCOMMAND);
}

AppWindow::~AppWindow() {
  for (HWND form : {main_form_, restore_form_})
    if (form && IsWindow(form)) RemoveWindowSubclass(form, &WatchForm, 0);
  DestroyNow();
}

void AppWindow::SetMainForm(HWND main_form) {
  main_form_ = main_form;
  SetWindowSubclass(main_form, &WatchForm, 0, reinterpret_cast<DWORD_PTR>(this));
}

void AppWindow::SetRestoreForm(HWND restore_form) {
  restore_form_ = restore_form;
  SetWindowSubclass(restore_form, &WatchForm, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK AppWindow::WatchForm(HWND form, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR id, DWORD_PTR app) {
  if (message == WM_SHOWWINDOW) {
    auto* self = reinterpret_cast<AppWindow*>(app);
    // A form that shows again after a minimize shows more than the picture
    // kept of it; the one hidden by the minimize keeps it.
    if (wparam) self->previews_.Forget();
    self->previews_.Invalidate(self->hwnd());
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(form, &WatchForm, id);
  }
  return DefSubclassProc(form, message, wparam, lparam);
}

ui::PreviewSource AppWindow::CurrentPreviewSource() const {
  return ui::PreviewSourceFor(IsIconic(hwnd()), previews_.HasKeptPicture(),
                              restore_form_ && IsWindowVisible(restore_form_));
}

HWND AppWindow::FormOf(ui::PreviewSource source) const {
  switch (source) {
    case ui::PreviewSource::kMainForm:
      return main_form_;
    case ui::PreviewSource::kRestoreForm:
      return restore_form_;
    case ui::PreviewSource::kKeptPicture:
      break;
  }
  return nullptr;
}

void AppWindow::ShowOnTaskbar() {
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  PostMessageA(hwnd(), kOfferPreviews, 0, 0);
}

void AppWindow::Minimize() {
  // Hidden, the forms print as nothing: the previews show them as they were.
  HWND form = FormOf(CurrentPreviewSource());
  if (form && IsWindowVisible(form)) previews_.Keep(hwnd(), form);
  ShowOwnedPopups(hwnd(), FALSE);
  ShowWindow(hwnd(), SW_MINIMIZE);
}

void AppWindow::Restore() {
  previews_.Forget();
  ShowWindow(hwnd(), SW_RESTORE);
  ShowOwnedPopups(hwnd(), TRUE);
  ActivateForm();
}

// The user works in the forms, never in this window: hand activation to the
// form that had it last.
void AppWindow::ActivateForm() {
  HWND popup = GetLastActivePopup(hwnd());
  if (popup == hwnd()) popup = main_form_;
  if (popup && IsWindowVisible(popup) && IsWindowEnabled(popup)) SetActiveWindow(popup);
}

LRESULT AppWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:  // the taskbar's Close; works while the main form is disabled
      if (main_form_) SendMessageA(main_form_, WM_CLOSE, 0, 0);
      return 0;
    case WM_SYSCOMMAND:
      switch (wparam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return 0;
        case SC_RESTORE:
          Restore();
          return 0;
        case SC_MAXIMIZE:
        case SC_SIZE:
        case SC_MOVE:
          return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam))
        PostMessageA(hwnd(), kActivateForm, 0, 0);
      return 0;
    case kActivateForm:
      if (GetActiveWindow() == hwnd()) ActivateForm();
      return 0;
    case kOfferPreviews:
      previews_.Offer(hwnd());
      return 0;
    case kSendIconicThumbnail:
    case kSendIconicLivePreview: {
      const ui::PreviewSource source = CurrentPreviewSource();
      HWND form = FormOf(source);
      if (form || source == ui::PreviewSource::kKeptPicture)
        previews_.Give(hwnd(), form, message == kSendIconicLivePreview, HIWORD(lparam),
                       LOWORD(lparam));
      return 0;
    }
    case WM_ENDSESSION:  // log-off or shut-down
      if (wparam) {
        // Saved before returning: the system may end the process any time
        // after. The quit then ends a dialog still open as if cancelled, and
        // the handler that opened it runs on before the loop ends.
        if (session_end_save_) session_end_save_();
        PostQuitMessage(0);
      }
      return 0;
  }
  return DefWindowProcA(hwnd(), message, wparam, lparam);
}

}  // namespace velm
