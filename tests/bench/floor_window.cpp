// The floor of the benchmark: the least a Win32 program from the same
// toolchain does to show one window and to end on WM_CLOSE. velm.exe's
// start-up and close are measured against it. Its phase-marked build shows
// how the floor's own time splits, beside velm_phases.exe.
#include <windows.h>

#include "shell/phase_marks.h"

namespace {

constexpr char kClassName[] = "VelmBenchFloor";

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);  // WM_CLOSE destroys the window
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  velm::MarkPhase("entry");
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = FloorProcedure;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kClassName;
  if (!RegisterClassExA(&cls)) return 1;
  HWND window = CreateWindowExA(0, kClassName, "Floor", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  velm::MarkPhase("window");
  ShowWindow(window, SW_SHOW);
  velm::MarkPhase("shown");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  velm::MarkPhase("exit");
  velm::SavePhaseLog();
  return 0;
}
