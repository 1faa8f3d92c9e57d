// The application window: hidden, zero-sized, it stands for the program on
// the taskbar and owns both forms. Its Close is the main window's close
// request; minimizing the main window minimizes it, and the forms go with it.
// When the session ends it has the main form save, then ends the loop. The
// taskbar and Alt+Tab preview the form the user sees in its place, also
// while minimized, when the forms are hidden.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "shell/form_preview.h"
#include "ui/preview_geometry.h"
#include "ui/win32_base_window.h"

namespace velm {

class AppWindow final : public ui::BaseWindow<AppWindow> {
 public:
  // dwm: the window manager's functions for the previews.
  explicit AppWindow(const char* title,
                     DwmLookup dwm = SystemDwmCalls);  // throws WindowCreationError
  ~AppWindow();

  // The window whose close request WM_CLOSE makes.
  void SetMainForm(HWND main_form);
  // The form previewed instead of the main form while it is shown.
  void SetRestoreForm(HWND restore_form);
  // What the main form stores at log-off or shut-down; must not throw.
  void SetSessionEndSave(std::function<void()> save) { session_end_save_ = std::move(save); }
  // Puts the taskbar entry up; the window itself has no area to show.
  void ShowOnTaskbar();
  void Minimize();
  void Restore();
  // What the forms show may have changed: previews given are out of date.
  void InvalidatePreviews() { previews_.Invalidate(hwnd()); }

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void ActivateForm();
  // What the previews show now: the restore window while it is open, else
  // the main window; while minimized, the picture kept of it.
  ui::PreviewSource CurrentPreviewSource() const;
  HWND FormOf(ui::PreviewSource source) const;  // nullptr for the kept picture
  // Sees each form shown or hidden: a picture of it is out of date then.
  static LRESULT CALLBACK WatchForm(HWND form, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR app);

  HWND main_form_ = nullptr;
  HWND restore_form_ = nullptr;
  std::function<void()> session_end_save_;
  FormPreviews previews_;
};

}  // namespace velm
