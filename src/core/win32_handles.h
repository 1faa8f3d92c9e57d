// The owned Windows handles of the program and of its Windows test programs:
// each handle type once, with how it is closed.
#pragma once

#include <windows.h>

#include "core/unique_resource.h"

namespace velm {

// Kernel objects: the single-instance mutex, processes, threads.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

// Files, which CreateFile gives as INVALID_HANDLE_VALUE when it fails.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
using UniqueFile = UniqueResource<FileHandleTraits>;

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle key) { RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;

// Fonts, bitmaps and the other objects DeleteObject frees.
template <typename GdiHandle>
struct GdiObjectTraits {
  using Handle = GdiHandle;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyIcon(h); }
};
using UniqueIcon = UniqueResource<IconTraits>;

// Device contexts of CreateCompatibleDC: drawn into or measured with, never
// shown.
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { GlobalFree(h); }
};
using UniqueGlobalMemory = UniqueResource<GlobalMemoryTraits>;

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyWindow(h); }
};
using UniqueWindow = UniqueResource<WindowTraits>;

// A key table of CreateAcceleratorTable.
struct AcceleratorTableTraits {
  using Handle = HACCEL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyAcceleratorTable(h); }
};
using UniqueAcceleratorTable = UniqueResource<AcceleratorTableTraits>;

// A menu no window holds, such as a shortcut menu while it is built and
// shown.
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
using UniqueMenu = UniqueResource<MenuTraits>;

}  // namespace velm
