#include "driver/clipboard_text.h"

#include <windows.h>

#include <cstring>

namespace e2e {

namespace {

// Another program may have the clipboard open for a moment.
bool OpenClipboardSoon() {
  return PollUntil([] { return OpenClipboard(nullptr) != FALSE; }, Timeout{5000});
}

// On an open clipboard: the data of format, or an empty text.
template <typename Char>
std::basic_string<Char> ClipboardData(UINT format) {
  std::basic_string<Char> text;
  if (HANDLE data = GetClipboardData(format)) {
    if (const auto* chars = static_cast<const Char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  return text;
}

}  // namespace

testing::AssertionResult ClearClipboard() {
  if (!OpenClipboardSoon()) return testing::AssertionFailure() << "the clipboard stays locked";
  const bool emptied = EmptyClipboard() != FALSE;
  CloseClipboard();
  if (!emptied) return testing::AssertionFailure() << "cannot empty the clipboard";
  return testing::AssertionSuccess();
}

testing::AssertionResult PutClipboardUnicode(std::wstring_view text) {
  if (!OpenClipboardSoon()) return testing::AssertionFailure() << "the clipboard stays locked";
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  bool put = false;
  if (memory) {
    std::memcpy(GlobalLock(memory), text.data(), text.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) GlobalFree(memory);
  }
  CloseClipboard();
  if (!put) return testing::AssertionFailure() << "cannot put text on the clipboard";
  return testing::AssertionSuccess();
}

testing::AssertionResult WaitClipboardText(const std::string& expected, std::wstring* unicode,
                                           Timeout timeout) {
  std::string seen;
  PollUntil(
      [&] {
        if (!OpenClipboardSoon()) return false;
        seen = ClipboardData<char>(CF_TEXT);
        if (unicode) *unicode = ClipboardData<wchar_t>(CF_UNICODETEXT);
        CloseClipboard();
        return seen == expected;
      },
      timeout);
  if (seen != expected) {
    return testing::AssertionFailure()
           << "the clipboard holds \"" << seen << "\" after " << timeout.count() << " ms";
  }
  return testing::AssertionSuccess();
}

}  // namespace e2e
