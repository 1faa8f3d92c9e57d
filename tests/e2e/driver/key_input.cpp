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

}  // namespace

testing::AssertionResult PressKeys(HWND window, std::initializer_list<WORD> chord) {
  SetForegroundWindow(window);
  if (!PollUntil([&] { return GetForegroundWindow() == window; }, Timeout{5000})) {
    return testing::AssertionFailure()
           << "\"" << WindowText(window) << "\" does not come to the front for the keys";
  }
  std::vector<INPUT> inputs;
  for (WORD key : chord) inputs.push_back(KeyEvent(key, false));
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
    inputs.push_back(KeyEvent(*key, true));
  }
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) {
    return testing::AssertionFailure() << "SendInput took " << sent << " of " << inputs.size()
                                       << " key events (error " << GetLastError() << ")";
  }
  return testing::AssertionSuccess();
}

}  // namespace e2e
