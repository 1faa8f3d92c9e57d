#include "driver/dialog_access.h"

#include <algorithm>

#include "driver/control_access.h"
#include "driver/window_search.h"

namespace e2e {

namespace {

bool HasButton(HWND window) {
  return FindChild(window, {.class_name = "Button"}) != nullptr;
}

}  // namespace

DialogView ReadDialog(HWND window) {
  DialogView view;
  view.window = window;
  view.class_name = ClassName(window);
  view.caption = WindowText(window);
  std::vector<HWND> buttons;
  for (HWND child : ChildWindows(window)) {
    if (!IsWindowVisible(child)) continue;
    if (Matches(child, {.class_name = "Static"})) {
      std::string text = WindowText(child);
      if (!text.empty()) view.texts.push_back(std::move(text));
    } else if (Matches(child, {.class_name = "Button"})) {
      buttons.push_back(child);
    } else if (Matches(child, {.class_name = "Edit"})) {
      view.edit = child;
    }
  }
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](HWND a, HWND b) { return OuterRect(a).left < OuterRect(b).left; });
  for (HWND button : buttons) view.buttons.push_back(WindowText(button));
  return view;
}

HWND FindDialog(DWORD pid, const std::vector<HWND>& forms) {
  for (HWND window : TopLevelWindows(pid)) {
    if (!IsWindowVisible(window)) continue;
    if (std::find(forms.begin(), forms.end(), window) != forms.end()) continue;
    if (HasButton(window)) return window;
  }
  return nullptr;
}

testing::AssertionResult WaitDialog(DWORD pid, const std::vector<HWND>& forms, DialogView* out,
                                    Timeout timeout) {
  HWND found = nullptr;
  if (!PollUntil([&] { return (found = FindDialog(pid, forms)) != nullptr; }, timeout)) {
    return testing::AssertionFailure()
           << "no dialog of process " << pid << " within " << timeout.count() << " ms";
  }
  // A dialog may be shown before its last control is made or its focus set.
  // Once its thread answers, it has reached its modal loop; read it when its
  // buttons stand still.
  Settle(found);
  DialogView view = ReadDialog(found);
  PollUntil(
      [&] {
        DialogView again = ReadDialog(found);
        const bool same = again.buttons == view.buttons && again.texts == view.texts &&
                          again.caption == view.caption;
        view = std::move(again);
        return same;
      },
      Timeout{2000});
  *out = std::move(view);
  return testing::AssertionSuccess();
}

testing::AssertionResult Answer(const DialogView& dialog, std::string_view caption) {
  HWND button = ButtonByCaption(dialog.window, caption);
  if (button == nullptr) {
    return testing::AssertionFailure()
           << "dialog \"" << dialog.caption << "\" has no button \"" << caption << "\"";
  }
  PostClick(button);
  return WaitGone(dialog.window);
}

testing::AssertionResult CloseByCloseBox(const DialogView& dialog) {
  PostClose(dialog.window);
  return WaitGone(dialog.window);
}

testing::AssertionResult TypeIntoEdit(const DialogView& dialog, std::wstring_view text) {
  if (dialog.edit == nullptr) {
    return testing::AssertionFailure() << "dialog \"" << dialog.caption << "\" has no edit field";
  }
  const std::wstring copy(text);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(dialog.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()),
                           SMTO_NORMAL, static_cast<UINT>(kSendTimeout.count()), &result)) {
    return testing::AssertionFailure() << "the edit field does not answer";
  }
  return testing::AssertionSuccess();
}

// Code-page text as the ANSI functions hand it on.
testing::AssertionResult TypeIntoEdit(const DialogView& dialog, std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                              wide.data(), static_cast<int>(wide.size()))));
  return TypeIntoEdit(dialog, std::wstring_view(wide));
}

HWND FocusedWindow(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

testing::AssertionResult FocusComesTo(HWND control, Timeout timeout) {
  if (control == nullptr) return testing::AssertionFailure() << "no control to focus";
  HWND focus = nullptr;
  if (PollUntil([&] { return (focus = FocusedWindow(control)) == control; }, timeout)) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure()
         << "the focus is on \"" << WindowText(focus) << "\" (" << ClassName(focus)
         << "), not on \"" << WindowText(control) << "\" (" << ClassName(control) << ")";
}

EditSelection SelectionOf(HWND edit) {
  // With both pointers null the positions come back packed in the result,
  // which needs no memory shared across the processes.
  DWORD_PTR packed = 0;
  SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kSendTimeout.count()),
                      &packed);
  return {static_cast<int>(LOWORD(packed)), static_cast<int>(HIWORD(packed))};
}

}  // namespace e2e
