#include "ui/win32_dpi.h"

#include "ui/dpi_scale.h"
#include "ui/layout_geometry.h"

namespace velm::ui {

namespace {

// A function of user32 the build's target version does not declare: nullptr
// on systems that lack it. The cast goes through the one function type GCC
// accepts for any other.
template <typename Function>
Function* User32Function(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

using GetDpiForWindowFunction = UINT WINAPI(HWND);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
  static GetDpiForWindowFunction* const get_dpi =
      User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi)
    if (const UINT dpi = get_dpi(window)) return static_cast<int>(dpi);
  return ScreenDpi();
}

SIZE OuterSize(HWND window, SIZE designed_client, int dpi) {
  static AdjustWindowRectExForDpiFunction* const adjust_for_dpi =
      User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  if (adjust_for_dpi) {
    RECT outer{0, 0, ScaleToDpi(designed_client.cx, dpi), ScaleToDpi(designed_client.cy, dpi)};
    adjust_for_dpi(&outer, style, FALSE, ex_style, static_cast<UINT>(dpi));
    return {outer.right - outer.left, outer.bottom - outer.top};
  }
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  return {OuterLengthAt(designed_client.cx, dpi, frame.right - frame.left),
          OuterLengthAt(designed_client.cy, dpi, frame.bottom - frame.top)};
}

}  // namespace velm::ui
