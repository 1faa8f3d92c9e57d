#include "ui/win32_dpi.h"

#include "core/system_function.h"
#include "ui/dpi_scale.h"

namespace velm::ui {

namespace {

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
      SystemFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
  if (get_dpi)
    if (const UINT dpi = get_dpi(window)) return static_cast<int>(dpi);
  return ScreenDpi();
}

SIZE FrameSize(HWND window, int dpi) {
  static AdjustWindowRectExForDpiFunction* const adjust_for_dpi =
      SystemFunction<AdjustWindowRectExForDpiFunction>("user32.dll", "AdjustWindowRectExForDpi");
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
