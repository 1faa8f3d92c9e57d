#include "driver/screen_capture.h"

#include <windows.h>

#include <fstream>
#include <vector>

#include "core/unique_resource.h"

namespace e2e {

namespace {

struct ScreenDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle dc) { ReleaseDC(nullptr, dc); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle dc) { DeleteDC(dc); }
};
struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle bitmap) { DeleteObject(bitmap); }
};

}  // namespace

testing::AssertionResult SaveScreenBitmap(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  velm::UniqueResource<ScreenDcTraits> screen(GetDC(nullptr));
  velm::UniqueResource<MemoryDcTraits> memory(CreateCompatibleDC(screen.get()));
  velm::UniqueResource<BitmapTraits> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen || !memory || !bitmap) return testing::AssertionFailure() << "no screen to copy";
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const bool copied =
      BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY) != FALSE;
  SelectObject(memory.get(), previous);
  if (!copied) return testing::AssertionFailure() << "cannot copy the screen";

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as BMP files store rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD row = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::vector<char> pixels(static_cast<size_t>(row) * static_cast<size_t>(height));
  if (!GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
    return testing::AssertionFailure() << "cannot read the copied screen";
  }

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&info), sizeof(info));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  out.close();
  if (!out) return testing::AssertionFailure() << "cannot write " << path;
  return testing::AssertionSuccess();
}

}  // namespace e2e
