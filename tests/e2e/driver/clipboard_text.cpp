#include "driver/clipboard_text.h"

#include <windows.h>

#include <cstring>

#include "core/win32_handles.h"

namespace e2e {

namespace {

// Another program may have the clipboard open for a moment.
bool OpenClipboardSoon() {
  return PollUntil([] { return OpenClipboard(nullptr) != FALSE; }, Timeout{5000});
}

// On an open clipboard: its text in format, empty when it has none.
template <typename Char>
std::basic_string<Char> ClipboardText(UINT format) {
  HANDLE data = GetClipboardData(format);
  const auto* chars = data ? static_cast<const Char*>(GlobalLock(data)) : nullptr;
  if (!chars) return {};
  std::basic_string<Char> text = chars;
  GlobalUnlock(data);
  return text;
}

std::wstring Widened(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(932, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

}  // namespace

testing::AssertionResult ClearClipboard(std::wstring_view leave) {
  if (!OpenClipboardSoon()) return testing::AssertionFailure() << "the clipboard stays locked";
  bool done = EmptyClipboard() != FALSE;
  if (done && !leave.empty()) {
    velm::UniqueGlobalMemory memory(
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (leave.size() + 1) * sizeof(wchar_t)));
    void* bytes = memory ? GlobalLock(memory.get()) : nullptr;
    if (bytes) {
      std::memcpy(bytes, leave.data(), leave.size() * sizeof(wchar_t));
      GlobalUnlock(memory.get());
    }
    done = bytes && SetClipboardData(CF_UNICODETEXT, memory.get());
    if (done) (void)memory.release();  // the clipboard's now
  }
  CloseClipboard();
  if (!done) return testing::AssertionFailure() << "cannot set the clipboard";
  return testing::AssertionSuccess();
}

testing::AssertionResult WaitClipboardText(const std::string& expected, Timeout timeout) {
  std::string text;
  std::wstring unicode;
  const bool found = PollUntil(
      [&] {
        if (!OpenClipboardSoon()) return false;
        text = ClipboardText<char>(CF_TEXT);
        unicode = ClipboardText<wchar_t>(CF_UNICODETEXT);
        CloseClipboard();
        return text == expected && unicode == Widened(expected);
      },
      timeout);
  if (!found) {
    return testing::AssertionFailure()
           << "the clipboard holds \"" << text << "\" and " << unicode.size() << " UTF-16 units";
  }
  return testing::AssertionSuccess();
}

}  // namespace e2e
