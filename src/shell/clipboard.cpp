#include "shell/clipboard.h"

#include <cstring>
#include <new>

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

}  // namespace

void CopyTextToClipboard(HWND owner, const std::string& text) {
  UniqueResource<OpenClipboardTraits> open(OpenClipboard(owner) != FALSE);
  if (!open) throw Error(ErrorKind::kClipboard, text::kClipboardError);
  EmptyClipboard();
  UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) throw std::bad_alloc();
  void* bytes = GlobalLock(memory.get());
  if (!bytes) throw std::bad_alloc();
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory.get());
  // On success the clipboard owns the memory.
  if (SetClipboardData(CF_TEXT, memory.get())) (void)memory.release();
}

}  // namespace velm
