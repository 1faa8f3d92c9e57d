#include "shell/clipboard.h"

#include <cstring>
#include <new>
#include <string>

#include "core/ansi_text.h"
#include "core/entry_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "core/unique_resource.h"
#include "core/win32_handles.h"

namespace velm {

namespace {

struct OpenClipboardTraits {
  using Handle = bool;
  static Handle Invalid() { return false; }
  static void Close(Handle) { CloseClipboard(); }
};

// Clipboard managers, remote-desktop clients and Wine's own display sync
// hold the clipboard for a moment right after it changes: wait that out for
// about a second, as the Windows frameworks do. Sleep only: dispatching
// messages here could re-enter the dialog that is copying.
constexpr int kOpenTries = 10;
constexpr DWORD kOpenRetryMs = 100;

bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 1;; ++attempt) {
    if (OpenClipboard(owner)) return true;
    if (attempt == kOpenTries) return false;
    Sleep(kOpenRetryMs);
  }
}

// On an open clipboard. On success the clipboard owns the memory.
void PutData(UINT format, const void* data, std::size_t size) {
  UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) throw std::bad_alloc();
  void* bytes = GlobalLock(memory.get());
  if (!bytes) throw std::bad_alloc();
  std::memcpy(bytes, data, size);
  GlobalUnlock(memory.get());
  if (SetClipboardData(format, memory.get())) (void)memory.release();
}

// Both forms of one text. Left to itself, the system would make the
// Unicode text from CF_TEXT by the input language of the moment: mojibake
// under an English keyboard.
void CopyBothForms(HWND owner, const std::string& ansi, const std::u16string& wide) {
  UniqueResource<OpenClipboardTraits> open(OpenClipboardPatiently(owner));
  if (!open) throw Error(ErrorKind::kClipboard, text::kClipboardError);
  EmptyClipboard();
  PutData(CF_TEXT, ansi.c_str(), ansi.size() + 1);
  PutData(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(char16_t));  // with its zero
}

}  // namespace

void CopyTextToClipboard(HWND owner, const std::string& text) {
  CopyBothForms(owner, text, AnsiToUtf16(text));  // converted by the code page it is written in
}

void CopyEntryToClipboard(HWND owner, const std::string& entry) {
  const std::u16string wide = Wtf8ToUtf16(entry);
  CopyBothForms(owner, Utf16ToAnsi(wide), wide);
}

}  // namespace velm
