#include "driver/clipboard_text.h"

#include <windows.h>

namespace e2e {

namespace {

// Another program may have the clipboard open for a moment.
bool OpenClipboardSoon() {
  return PollUntil([] { return OpenClipboard(nullptr) != FALSE; }, Timeout{5000});
}

}  // namespace

testing::AssertionResult ClearClipboard() {
  if (!OpenClipboardSoon()) return testing::AssertionFailure() << "the clipboard stays locked";
  const bool emptied = EmptyClipboard() != FALSE;
  CloseClipboard();
  if (!emptied) return testing::AssertionFailure() << "cannot empty the clipboard";
  return testing::AssertionSuccess();
}

testing::AssertionResult WaitClipboardText(std::string* out, Timeout timeout) {
  bool found = false;
  PollUntil(
      [&] {
        if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboardSoon()) return false;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
          if (const auto* text = static_cast<const char*>(GlobalLock(data))) {
            *out = text;
            found = true;
            GlobalUnlock(data);
          }
        }
        CloseClipboard();
        return found;
      },
      timeout);
  if (!found) {
    return testing::AssertionFailure()
           << "no text on the clipboard within " << timeout.count() << " ms";
  }
  return testing::AssertionSuccess();
}

}  // namespace e2e
