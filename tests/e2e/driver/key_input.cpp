#include "driver/key_input.h"

#include <vector>

#include "driver/wait.h"
#include "driver/window_search.h"

namespace e2e {

namespace {

INPUT KeyEvent(WORD key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  return input;
}

testing::AssertionResult ToTheFront(HWND window) {
  SetForegroundWindow(window);
  if (!PollUntil([&] { return GetForegroundWindow() == window; }, Timeout{5000})) {
    return testing::AssertionFailure()
           << "\"" << WindowText(window) << "\" does not come to the front for the input";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult Sent(const std::vector<INPUT>& inputs) {
  const UINT sent =
      SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
  if (sent != inputs.size()) {
    return testing::AssertionFailure() << "SendInput took " << sent << " of " << inputs.size()
                                       << " events (error " << GetLastError() << ")";
  }
  return testing::AssertionSuccess();
}

// A mouse event at point of control's client area.
INPUT MouseAt(HWND control, POINT point, DWORD button) {
  ClientToScreen(control, &point);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
  return input;
}

}  // namespace

testing::AssertionResult PressKeys(HWND window, std::initializer_list<WORD> chord) {
  if (auto front = ToTheFront(window); !front) return front;
  return PressKeysAsTheyGo(chord);
}

testing::AssertionResult PressKeysAsTheyGo(std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (WORD key : chord) inputs.push_back(KeyEvent(key, false));
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
    inputs.push_back(KeyEvent(*key, true));
  }
  return Sent(inputs);
}

testing::AssertionResult RightClickAt(HWND control, POINT point) {
  if (auto front = ToTheFront(GetAncestor(control, GA_ROOT)); !front) return front;
  return Sent({MouseAt(control, point, MOUSEEVENTF_RIGHTDOWN),
               MouseAt(control, point, MOUSEEVENTF_RIGHTUP)});
}

testing::AssertionResult ClickAt(HWND control, POINT point) {
  return DragAcross(control, point, point, 0);
}

testing::AssertionResult DoubleClickAt(HWND control, POINT point) {
  if (auto first = ClickAt(control, point); !first) return first;
  return ClickAt(control, point);
}

testing::AssertionResult DragAcross(HWND control, POINT from, POINT to, int steps,
                                    std::initializer_list<WORD> keys_before_drop) {
  if (auto front = ToTheFront(GetAncestor(control, GA_ROOT)); !front) return front;
  std::vector<INPUT> inputs = {MouseAt(control, from, MOUSEEVENTF_LEFTDOWN)};
  for (int step = 1; step <= steps; ++step) {
    inputs.push_back(MouseAt(
        control, {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps},
        0));
  }
  for (WORD key : keys_before_drop) {
    inputs.push_back(KeyEvent(key, false));
    inputs.push_back(KeyEvent(key, true));
  }
  inputs.push_back(MouseAt(control, to, MOUSEEVENTF_LEFTUP));
  return Sent(inputs);
}

}  // namespace e2e
