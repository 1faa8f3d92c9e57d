// One small base for every window of the program. Derived supplies
//   LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
// and calls CreateOfClass from its constructor. `this` is stored at
// WM_NCCREATE; a message before that, or after the object let go of its
// window, goes to DefWindowProcA. The window is destroyed with the object.
#pragma once

#include <windows.h>

#include "core/win32_handles.h"
#include "ui/dispatch.h"
#include "ui/win32_window_error.h"

namespace velm::ui {

template <typename Derived>
class BaseWindow {
 public:
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  HWND hwnd() const { return window_.get(); }

 protected:
  BaseWindow() = default;
  ~BaseWindow() { DestroyNow(); }

  // Registers cls (first registration of a name wins) with this template's
  // procedure and creates the window. Throws WindowCreationError.
  void CreateOfClass(WNDCLASSEXA cls, DWORD ex_style, const char* text, DWORD style, int left,
                     int top, int width, int height, HWND owner) {
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &Procedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    if (!RegisterClassExA(&cls) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      ThrowWindowCreationError();
    if (!CreateWindowExA(ex_style, cls.lpszClassName, text, style, left, top, width, height, owner,
                         nullptr, cls.hInstance, this))
      ThrowWindowCreationError();
  }

  // Destroys the window now. Derived calls it first thing in its destructor,
  // so no message reaches a half-destroyed object.
  void DestroyNow() {
    if (!window_) return;
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    BaseWindow* self;
    if (message == WM_NCCREATE) {
      self = static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_.reset(hwnd);
    } else {
      self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {  // destroyed from outside: the handle is gone
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      (void)self->window_.release();
      return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    // After an escaped error the message counts as handled (0): falling back
    // to DefWindowProcA could, for WM_CLOSE, destroy the window.
    LRESULT result = 0;
    Dispatch([&] { result = static_cast<Derived*>(self)->HandleMessage(message, wparam, lparam); });
    return result;
  }

  UniqueWindow window_;
};

}  // namespace velm::ui
