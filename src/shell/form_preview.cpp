#include "shell/form_preview.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "core/system_function.h"

namespace velm {

namespace {

// Windows 7 on: the attributes and the functions of iconic previews.
constexpr DWORD kForceIconicRepresentation = 7;  // DWMWA_FORCE_ICONIC_REPRESENTATION
constexpr DWORD kHasIconicBitmap = 10;           // DWMWA_HAS_ICONIC_BITMAP
constexpr UINT kRenderFullContent = 2;           // PW_RENDERFULLCONTENT, Windows 8.1 on
using SetWindowAttributeFunction = HRESULT WINAPI(HWND, DWORD, LPCVOID, DWORD);
using SetIconicThumbnailFunction = HRESULT WINAPI(HWND, HBITMAP, DWORD);
using SetIconicLivePreviewFunction = HRESULT WINAPI(HWND, HBITMAP, POINT*, DWORD);
using InvalidateIconicBitmapsFunction = HRESULT WINAPI(HWND);

template <typename Function>
Function* Dwm(const char* name) {
  return SystemFunction<Function>("dwmapi.dll", name);
}

UniqueBitmap TopDownBitmap(int width, int height, std::uint32_t** pixels) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  *pixels = static_cast<std::uint32_t*>(bits);
  return bitmap;
}

// Some systems (Wine) print a window without its children: each visible one
// is printed again and put in its place in dc, which holds window's whole
// rectangle, the bottom of the z-order first. Elsewhere this draws the same
// pixels over again. Each child gets a bitmap of its own: a control may draw
// from the origin of the context it is given, whatever its viewport says.
void PrintChildren(HWND window, HDC dc) {
  RECT outer{};
  GetWindowRect(window, &outer);
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    RECT place{};
    GetWindowRect(*child, &place);
    const int width = place.right - place.left, height = place.bottom - place.top;
    std::uint32_t* pixels = nullptr;
    UniqueBitmap picture = TopDownBitmap(width, height, &pixels);
    UniqueMemoryDc picture_dc(CreateCompatibleDC(dc));
    if (!IsWindowVisible(*child) || !picture || !picture_dc) continue;
    const HGDIOBJ before = SelectObject(picture_dc.get(), picture.get());
    SendMessageA(*child, WM_PRINT, reinterpret_cast<WPARAM>(picture_dc.get()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    BitBlt(dc, place.left - outer.left, place.top - outer.top, width, height, picture_dc.get(), 0,
           0, SRCCOPY);
    SelectObject(picture_dc.get(), before);
  }
}

}  // namespace

UniqueBitmap RenderFormPreview(HWND form, int max_width, int max_height) {
  RECT outer{};
  GetWindowRect(form, &outer);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  if (width <= 0 || height <= 0 || max_width <= 0 || max_height <= 0) return UniqueBitmap();
  // The whole picture first: drawing straight into a smaller one would cut
  // it rather than scale it.
  std::uint32_t* whole_pixels = nullptr;
  UniqueBitmap whole = TopDownBitmap(width, height, &whole_pixels);
  UniqueMemoryDc whole_dc(CreateCompatibleDC(nullptr));
  if (!whole || !whole_dc) return UniqueBitmap();
  const HGDIOBJ whole_before = SelectObject(whole_dc.get(), whole.get());
  if (!PrintWindow(form, whole_dc.get(), kRenderFullContent)) PrintWindow(form, whole_dc.get(), 0);
  PrintChildren(form, whole_dc.get());

  const double scale = std::min(
      {1.0, static_cast<double>(max_width) / width, static_cast<double>(max_height) / height});
  const int fit_width = std::max(1, static_cast<int>(width * scale));
  const int fit_height = std::max(1, static_cast<int>(height * scale));
  std::uint32_t* pixels = nullptr;
  UniqueBitmap fitted = TopDownBitmap(fit_width, fit_height, &pixels);
  UniqueMemoryDc fitted_dc(CreateCompatibleDC(nullptr));
  if (fitted && fitted_dc) {
    const HGDIOBJ fitted_before = SelectObject(fitted_dc.get(), fitted.get());
    SetStretchBltMode(fitted_dc.get(), HALFTONE);
    SetBrushOrgEx(fitted_dc.get(), 0, 0, nullptr);
    StretchBlt(fitted_dc.get(), 0, 0, fit_width, fit_height, whole_dc.get(), 0, 0, width, height,
               SRCCOPY);
    GdiFlush();
    // GDI leaves the alpha byte 0, which the window manager takes as clear.
    std::for_each(pixels, pixels + fit_width * fit_height,
                  [](std::uint32_t& pixel) { pixel |= 0xFF000000u; });
    SelectObject(fitted_dc.get(), fitted_before);
  }
  SelectObject(whole_dc.get(), whole_before);
  return fitted;
}

void FormPreviews::Offer(HWND app_window) {
  auto* set_attribute = Dwm<SetWindowAttributeFunction>("DwmSetWindowAttribute");
  if (!set_attribute || !Dwm<SetIconicThumbnailFunction>("DwmSetIconicThumbnail")) return;
  const BOOL on = TRUE;
  set_attribute(app_window, kForceIconicRepresentation, &on, sizeof on);
  set_attribute(app_window, kHasIconicBitmap, &on, sizeof on);
}

void FormPreviews::Give(HWND app_window, HWND form, bool live, int max_width, int max_height) {
  // A thumbnail fits the size asked; a Peek shows the form at its own size.
  UniqueBitmap picture =
      RenderFormPreview(form, live ? INT_MAX : max_width, live ? INT_MAX : max_height);
  if (!picture) return;
  if (live) {
    if (auto* set_live = Dwm<SetIconicLivePreviewFunction>("DwmSetIconicLivePreviewBitmap"))
      set_live(app_window, picture.get(), nullptr, 0);
  } else if (auto* set_thumbnail = Dwm<SetIconicThumbnailFunction>("DwmSetIconicThumbnail")) {
    set_thumbnail(app_window, picture.get(), 0);
  }
  given_ = true;
}

void FormPreviews::Invalidate(HWND app_window) {
  if (!given_) return;
  given_ = false;
  if (auto* invalidate = Dwm<InvalidateIconicBitmapsFunction>("DwmInvalidateIconicBitmaps"))
    invalidate(app_window);
}

}  // namespace velm
