#include "driver/control_access.h"

#include <utility>

#include "core/ascii_text.h"
#include "driver/window_search.h"

namespace e2e {

namespace {

bool IsComboBox(HWND list) {
  return velm::EqualsIgnoringAsciiCase(ClassName(list), "ComboBox");
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                     LRESULT* result = nullptr) {
  DWORD_PTR value = 0;
  const bool done = SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL,
                                        static_cast<UINT>(kSendTimeout.count()), &value) != 0;
  if (result != nullptr) *result = static_cast<LRESULT>(value);
  return done;
}

// The list messages are sent in their wide form and converted here: under
// Wine a cross-process LB_GETTEXT in the ANSI form returns UTF-16.
std::string ToAnsi(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

testing::AssertionResult DeliverPick(HWND list, int index, bool post) {
  const bool combo = IsComboBox(list);
  LRESULT count = 0;
  if (!SendWithTimeout(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, &count)) {
    return testing::AssertionFailure() << "the list does not answer";
  }
  if (index < 0 || index >= count) {
    return testing::AssertionFailure() << "cannot pick entry " << index << " of " << count;
  }
  if (!SendWithTimeout(list, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0)) {
    return testing::AssertionFailure() << "the list does not take the selection";
  }
  const WPARAM command = MAKEWPARAM(GetDlgCtrlID(list), combo ? CBN_SELCHANGE : LBN_SELCHANGE);
  const LPARAM from = reinterpret_cast<LPARAM>(list);
  if (post) {
    PostMessageW(GetParent(list), WM_COMMAND, command, from);
  } else if (!SendWithTimeout(GetParent(list), WM_COMMAND, command, from)) {
    return testing::AssertionFailure()
           << "the pick did not finish within " << kSendTimeout.count() << " ms (a dialog open?)";
  }
  return testing::AssertionSuccess();
}

}  // namespace

std::wstring WideEditText(HWND edit) {
  LRESULT length = 0;
  if (!SendWithTimeout(edit, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = 0;
  SendWithTimeout(edit, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()), &copied);
  wide.resize(static_cast<size_t>(copied));
  return wide;
}

std::string EditText(HWND edit) {
  return ToAnsi(WideEditText(edit));
}

RECT OuterRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

int OuterHeight(HWND window) {
  const RECT rect = OuterRect(window);
  return rect.bottom - rect.top;
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool IsEnabled(HWND window) {
  return IsWindowEnabled(window) != FALSE;
}

bool IsShown(HWND window) {
  return IsWindowVisible(window) != FALSE;
}

std::vector<std::wstring> WideListItems(HWND list) {
  const bool combo = IsComboBox(list);
  std::vector<std::wstring> items;
  LRESULT count = 0;
  if (!SendWithTimeout(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, &count)) return items;
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = 0;
    SendWithTimeout(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i), 0,
                    &length);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    LRESULT copied = 0;
    SendWithTimeout(list, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                    reinterpret_cast<LPARAM>(wide.data()), &copied);
    wide.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    items.push_back(std::move(wide));
  }
  return items;
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  for (const std::wstring& wide : WideListItems(list)) items.push_back(ToAnsi(wide));
  return items;
}

int SelectedIndex(HWND list) {
  LRESULT selected = -1;
  SendWithTimeout(list, IsComboBox(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0, &selected);
  return static_cast<int>(selected);
}

testing::AssertionResult Settle(HWND window) {
  if (SendWithTimeout(window, WM_NULL, 0, 0)) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "window \"" << WindowText(window) << "\" does not answer within "
         << kSendTimeout.count() << " ms";
}

testing::AssertionResult Click(HWND button) {
  if (button == nullptr) return testing::AssertionFailure() << "no button to click";
  if (SendWithTimeout(button, BM_CLICK, 0, 0)) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "click on \"" << WindowText(button) << "\" did not finish within "
         << kSendTimeout.count() << " ms (a dialog open?)";
}

void PostClick(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

HWND ButtonByCaption(HWND parent, std::string_view caption) {
  return FindChild(parent, {.class_name = "Button", .caption = caption});
}

testing::AssertionResult Click(HWND parent, std::string_view caption) {
  HWND button = ButtonByCaption(parent, caption);
  if (button == nullptr) {
    return testing::AssertionFailure()
           << "no visible button \"" << caption << "\" in \"" << WindowText(parent) << "\"";
  }
  return Click(button);
}

testing::AssertionResult PostClick(HWND parent, std::string_view caption) {
  HWND button = ButtonByCaption(parent, caption);
  if (button == nullptr) {
    return testing::AssertionFailure()
           << "no visible button \"" << caption << "\" in \"" << WindowText(parent) << "\"";
  }
  PostClick(button);
  return testing::AssertionSuccess();
}

testing::AssertionResult Pick(HWND list, int index) {
  return DeliverPick(list, index, false);
}

testing::AssertionResult PostPick(HWND list, int index) {
  return DeliverPick(list, index, true);
}

void PostClose(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace e2e
