// The dpi a window is shown at, and the outer size of a window at a dpi.
// The per-monitor functions exist from Windows 10 on; before that the
// screen's dpi holds for every window.
#pragma once

#include <windows.h>

// The messages of a dpi change, declared only for Windows 10 on.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace velm::ui {

// The screen's dpi (the system's): what fonts made from points follow.
int ScreenDpi();
// The window's dpi: that of the monitor it is on, where the system says so.
int WindowDpi(HWND window);
// What window's frame adds to its client area at dpi, as the running system
// draws it for the window's style.
SIZE FrameSize(HWND window, int dpi);
// The outer size of window around a client area of client pixels at dpi.
SIZE OuterSize(HWND window, SIZE client, int dpi);

}  // namespace velm::ui
