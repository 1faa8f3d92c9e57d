// The taskbar button and the Alt+Tab entry belong to the application window,
// which has no area to show: the pictures they preview are drawn from the
// form the user sees instead, when the system asks for them.
#pragma once

#include <windows.h>

#include "core/win32_handles.h"

namespace velm {

// form as it shows, frame and all, scaled down to fit max_width x
// max_height with its proportions kept (never up), in a 32-bit top-down
// bitmap with every pixel opaque, as the desktop window manager takes it.
// Invalid when the system cannot draw it.
UniqueBitmap RenderFormPreview(HWND form, int max_width, int max_height);

// Has the desktop window manager show a picture of the visible form for the
// application window (Windows 7 on; elsewhere nothing changes), and answers
// its requests.
class FormPreviews {
 public:
  // Asks for pictures rather than the window's own look.
  void Offer(HWND app_window);
  // The system's request for a thumbnail of at most max_width x max_height,
  // or, when live, for the full-size picture of a Peek.
  void Give(HWND app_window, HWND form, bool live, int max_width, int max_height);
  // What the forms show changed: the system asks again when it needs one.
  void Invalidate(HWND app_window);

 private:
  bool given_ = false;  // since the last invalidation
};

}  // namespace velm
