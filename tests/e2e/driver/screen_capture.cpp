#include "driver/screen_capture.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <utility>

#include "core/unique_resource.h"
#include "core/win32_handles.h"

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

BITMAPINFOHEADER InfoHeader(int width, int height) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;  // positive: bottom-up, as BMP files store rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  return info;
}

size_t RowBytes(int width) {
  return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
}

}  // namespace

testing::AssertionResult CaptureScreen(const RECT& area, ScreenPicture* out) {
  const RECT screen_rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT part{};
  if (!IntersectRect(&part, &area, &screen_rect)) {
    return testing::AssertionFailure()
           << "the area (" << area.left << ", " << area.top << ")-(" << area.right << ", "
           << area.bottom << ") is off the screen";
  }
  const int width = part.right - part.left;
  const int height = part.bottom - part.top;
  velm::UniqueResource<ScreenDcTraits> screen(GetDC(nullptr));
  velm::UniqueResource<MemoryDcTraits> memory(CreateCompatibleDC(screen.get()));
  velm::UniqueResource<velm::GdiObjectTraits<HBITMAP>> bitmap(
      CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen || !memory || !bitmap) return testing::AssertionFailure() << "no screen to copy";
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), part.left, part.top,
                             SRCCOPY) != FALSE;
  SelectObject(memory.get(), previous);
  if (!copied) return testing::AssertionFailure() << "cannot copy the screen";

  BITMAPINFOHEADER info = InfoHeader(width, height);
  std::vector<char> pixels(RowBytes(width) * static_cast<size_t>(height));
  if (!GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
    return testing::AssertionFailure() << "cannot read the copied screen";
  }
  *out = ScreenPicture{width, height, std::move(pixels)};
  return testing::AssertionSuccess();
}

testing::AssertionResult CaptureSettled(const RECT& area, ScreenPicture* out, Timeout timeout) {
  // Still for this long counts as painted.
  constexpr auto kStill = std::chrono::milliseconds(250);
  ScreenPicture last;
  if (auto first = CaptureScreen(area, &last); !first) return first;
  auto unchanged_since = std::chrono::steady_clock::now();
  testing::AssertionResult failure = testing::AssertionSuccess();
  PollUntil(
      [&] {
        ScreenPicture now;
        if (!(failure = CaptureScreen(area, &now))) return true;
        if (!(now == last)) {
          last = std::move(now);
          unchanged_since = std::chrono::steady_clock::now();
          return false;
        }
        return std::chrono::steady_clock::now() - unchanged_since >= kStill;
      },
      timeout);
  if (!failure) return failure;
  *out = std::move(last);
  return testing::AssertionSuccess();
}

testing::AssertionResult SaveBitmapFile(const std::string& path, const ScreenPicture& picture) {
  const BITMAPINFOHEADER info = InfoHeader(picture.width, picture.height);
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != RowBytes(picture.width) * static_cast<size_t>(picture.height)) {
    return testing::AssertionFailure()
           << "not a whole picture: " << picture.width << " x " << picture.height << ", "
           << picture.pixels.size() << " bytes";
  }
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(picture.pixels.size());
  std::ofstream stream(path, std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(&file), sizeof(file));
  stream.write(reinterpret_cast<const char*>(&info), sizeof(info));
  stream.write(picture.pixels.data(), static_cast<std::streamsize>(picture.pixels.size()));
  stream.close();
  if (!stream) return testing::AssertionFailure() << "cannot write " << path;
  return testing::AssertionSuccess();
}

testing::AssertionResult SaveScreenBitmap(const std::string& path) {
  ScreenPicture picture;
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (auto captured = CaptureScreen(screen, &picture); !captured) return captured;
  return SaveBitmapFile(path, picture);
}

}  // namespace e2e
