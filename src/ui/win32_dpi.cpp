#include "ui/win32_dpi.h"

#include "ui/dpi_scale.h"

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

SIZE FrameSize(HWND window, int dpi) {
  static AdjustWindowRectExForDpiFunction* const adjust_for_dpi =
      User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  RECT frame{0, 0, 0, 0};
  if (adjust_for_dpi)
    adjust_for_dpi(&frame, style, FALSE, ex_style, static_cast<UINT>(dpi));
  else  // drawn at the system's metrics whatever the dpi: see OuterLengthAt
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

SIZE OuterSize(HWND window, SIZE client, int dpi) {
  const SIZE frame = FrameSize(window, dpi);
  return {client.cx + frame.cx, client.cy + frame.cy};
}

}  // namespace velm::ui
