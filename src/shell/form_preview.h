// The taskbar button and the Alt+Tab entry belong to the application window,
// which has no area to show: the pictures they preview are drawn from the
// form the user sees instead, when the system asks for them.
#pragma once

#include <windows.h>

#include "core/win32_handles.h"
#include "ui/layout_geometry.h"

namespace velm {

// The desktop window manager's functions the previews use, each nullptr
// where the system lacks it (before Vista; the iconic ones before Windows 7).
// Wine has them but shows no preview.
struct DwmCalls {
  HRESULT(WINAPI* get_attribute)(HWND window, DWORD attribute, void* value, DWORD size);
  HRESULT(WINAPI* set_attribute)(HWND window, DWORD attribute, const void* value, DWORD size);
  HRESULT(WINAPI* set_iconic_thumbnail)(HWND window, HBITMAP picture, DWORD flags);
  HRESULT(WINAPI* set_iconic_live_preview)
  (HWND window, HBITMAP picture, POINT* client, DWORD flags);
  HRESULT(WINAPI* invalidate_iconic_bitmaps)(HWND window);
};

// The system's, looked up in dwmapi.dll when first asked for, not at the
// cost of start-up.
const DwmCalls& SystemDwmCalls();
using DwmLookup = const DwmCalls& (*)();

// A form as the user sees it on the screen.
struct FormPicture {
  UniqueBitmap bitmap;    // 32 bits a pixel, top-down, opaque; invalid when it cannot be drawn
  ui::PixelRect frame{};  // where the pictured frame stands on the screen
};

// form's visible frame as it shows: the window manager's own picture where
// it gives one, what the form and its children print otherwise, with the
// clear pixels around rounded corners on the window's face colour.
FormPicture CaptureForm(HWND form, const DwmCalls& dwm);

// A copy of picture scaled down to fit max_width x max_height with its
// proportions kept (never up), opaque. Invalid when it cannot be made.
UniqueBitmap FitPicture(HBITMAP picture, int max_width, int max_height);

// Has the window manager show a picture of a form for the application
// window (Windows 7 on; elsewhere nothing changes), and answers its requests.
class FormPreviews {
 public:
  explicit FormPreviews(DwmLookup dwm) : dwm_(dwm) {}

  // Asks for pictures rather than the window's own look.
  void Offer(HWND app_window);
  // The forms are about to hide with the application: form's picture
  // answers for them until Forget, and the application window goes where
  // the form stands, where a Peek shows its full-size picture.
  void Keep(HWND app_window, HWND form);
  void Forget() { kept_ = FormPicture(); }
  bool HasKeptPicture() const { return kept_.bitmap.valid(); }
  // The system's request for a thumbnail of at most max_width x max_height,
  // or, when live, for the full-size picture of a Peek: of form as it shows
  // now, or of the kept picture when form is nullptr.
  void Give(HWND app_window, HWND form, bool live, int max_width, int max_height);
  // What the forms show changed: the system asks again when it needs one.
  void Invalidate(HWND app_window);

 private:
  DwmLookup dwm_;
  FormPicture kept_;
  bool given_ = false;  // since the last invalidation
};

}  // namespace velm
