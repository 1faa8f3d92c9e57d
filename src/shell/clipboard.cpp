#include "shell/clipboard.h"

#include <cstring>
#include <new>

#include "core/error.h"
#include "core/texts.h"
#include "core/unique_resource.h"

namespace velm {

namespace {

struct GlobalTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { GlobalFree(h); }
};

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

}  // namespace

void CopyTextToClipboard(HWND owner, const std::string& text) {
  UniqueResource<OpenClipboardTraits> open(OpenClipboardPatiently(owner));
  if (!open) throw Error(ErrorKind::kClipboard, text::kClipboardError);
  EmptyClipboard();
  UniqueResource<GlobalTraits> memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) throw std::bad_alloc();
  void* bytes = GlobalLock(memory.get());
  if (!bytes) throw std::bad_alloc();
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory.get());
  // On success the clipboard owns the memory.
  if (SetClipboardData(CF_TEXT, memory.get())) (void)memory.release();
}

}  // namespace velm
