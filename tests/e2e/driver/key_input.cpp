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

}  // namespace

testing::AssertionResult PressKeys(HWND window, std::initializer_list<WORD> chord) {
  if (auto front = ToTheFront(window); !front) return front;
  std::vector<INPUT> inputs;
  for (WORD key : chord) inputs.push_back(KeyEvent(key, false));
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
    inputs.push_back(KeyEvent(*key, true));
  }
  return Sent(inputs);
}

testing::AssertionResult ClickAt(HWND control, POINT point) {
  if (auto front = ToTheFront(GetAncestor(control, GA_ROOT)); !front) return front;
  ClientToScreen(control, &point);
  SetCursorPos(point.x, point.y);
  INPUT click[2]{};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return Sent({click[0], click[1]});
}

}  // namespace e2e
