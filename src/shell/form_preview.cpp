#include "shell/form_preview.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "core/system_function.h"
#include "ui/preview_geometry.h"

namespace velm {

namespace {

// Windows 7 on: the attributes of iconic previews; Vista on: the frame.
constexpr DWORD kForceIconicRepresentation = 7;  // DWMWA_FORCE_ICONIC_REPRESENTATION
constexpr DWORD kExtendedFrameBounds = 9;        // DWMWA_EXTENDED_FRAME_BOUNDS
constexpr DWORD kHasIconicBitmap = 10;           // DWMWA_HAS_ICONIC_BITMAP
constexpr UINT kRenderFullContent = 2;           // PW_RENDERFULLCONTENT, Windows 8.1 on

// The function's type is that of the pointer it is looked up for.
template <typename Function>
Function* Dwm(Function* /*type*/, const char* name) {
  return SystemFunction<Function>("dwmapi.dll", name);
}

ui::PixelRect PixelRectOf(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
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
// rectangle, the bottom of the z-order first. Each child gets a bitmap of
// its own: a control may draw from the origin of the context it is given,
// whatever its viewport says.
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

std::optional<ui::PixelRect> ExtendedFrameBounds(HWND window, const DwmCalls& dwm) {
  RECT bounds{};
  if (!dwm.get_attribute ||
      FAILED(dwm.get_attribute(window, kExtendedFrameBounds, &bounds, sizeof bounds)))
    return std::nullopt;
  return PixelRectOf(bounds);
}

// The face colour as a pixel of a 32-bit bitmap: 0xRRGGBB.
std::uint32_t FacePixel() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return static_cast<std::uint32_t>(GetRValue(face)) << 16 | GetGValue(face) << 8 | GetBValue(face);
}

}  // namespace

const DwmCalls& SystemDwmCalls() {
  static const DwmCalls calls = [] {
    DwmCalls found{};
    found.get_attribute = Dwm(found.get_attribute, "DwmGetWindowAttribute");
    found.set_attribute = Dwm(found.set_attribute, "DwmSetWindowAttribute");
    found.set_iconic_thumbnail = Dwm(found.set_iconic_thumbnail, "DwmSetIconicThumbnail");
    found.set_iconic_live_preview =
        Dwm(found.set_iconic_live_preview, "DwmSetIconicLivePreviewBitmap");
    found.invalidate_iconic_bitmaps =
        Dwm(found.invalidate_iconic_bitmaps, "DwmInvalidateIconicBitmaps");
    return found;
  }();
  return calls;
}

FormPicture CaptureForm(HWND form, const DwmCalls& dwm) {
  RECT outer{};
  GetWindowRect(form, &outer);
  const ui::PixelRect window = PixelRectOf(outer);
  const int width = window.right - window.left, height = window.bottom - window.top;
  if (width <= 0 || height <= 0) return {};
  std::uint32_t* whole_pixels = nullptr;
  UniqueBitmap whole = TopDownBitmap(width, height, &whole_pixels);
  UniqueMemoryDc whole_dc(CreateCompatibleDC(nullptr));
  if (!whole || !whole_dc) return {};
  const HGDIOBJ whole_before = SelectObject(whole_dc.get(), whole.get());
  const bool full_content = PrintWindow(form, whole_dc.get(), kRenderFullContent);
  if (!full_content) PrintWindow(form, whole_dc.get(), 0);
  GdiFlush();
  // The window manager's own picture (Windows 8.1 on) comes with its alpha
  // and the children; a print by GDI (Wine's) has neither.
  const ui::CaptureAlpha alpha =
      full_content && ui::HasAlpha({whole_pixels, static_cast<std::size_t>(width) * height})
          ? ui::CaptureAlpha::kPremultiplied
          : ui::CaptureAlpha::kNone;
  if (alpha == ui::CaptureAlpha::kNone) {
    PrintChildren(form, whole_dc.get());
    GdiFlush();
  }
  SelectObject(whole_dc.get(), whole_before);

  // Only the visible frame: the invisible resizing borders around it would
  // show as a clear or black margin.
  FormPicture picture;
  picture.frame = ui::VisibleFrame(window, ExtendedFrameBounds(form, dwm));
  const int frame_width = picture.frame.right - picture.frame.left;
  const int frame_height = picture.frame.bottom - picture.frame.top;
  std::uint32_t* pixels = nullptr;
  picture.bitmap = TopDownBitmap(frame_width, frame_height, &pixels);
  if (!picture.bitmap) return {};
  const int skip_x = picture.frame.left - window.left, skip_y = picture.frame.top - window.top;
  for (int y = 0; y < frame_height; ++y)
    std::memcpy(pixels + y * frame_width, whole_pixels + (y + skip_y) * width + skip_x,
                frame_width * sizeof *pixels);
  ui::MakeOpaque({pixels, static_cast<std::size_t>(frame_width) * frame_height}, frame_width, alpha,
                 FacePixel());
  return picture;
}

UniqueBitmap FitPicture(HBITMAP picture, int max_width, int max_height) {
  DIBSECTION source{};
  if (max_width <= 0 || max_height <= 0 ||
      GetObjectA(picture, sizeof source, &source) != static_cast<int>(sizeof source))
    return UniqueBitmap();
  const ui::PixelSize size{source.dsBm.bmWidth, source.dsBm.bmHeight};
  const ui::PixelSize fit = ui::FittedSize(size, max_width, max_height);
  std::uint32_t* pixels = nullptr;
  UniqueBitmap fitted = TopDownBitmap(fit.width, fit.height, &pixels);
  UniqueMemoryDc source_dc(CreateCompatibleDC(nullptr));
  UniqueMemoryDc fitted_dc(CreateCompatibleDC(nullptr));
  if (!fitted || !source_dc || !fitted_dc) return UniqueBitmap();
  const HGDIOBJ source_before = SelectObject(source_dc.get(), picture);
  const HGDIOBJ fitted_before = SelectObject(fitted_dc.get(), fitted.get());
  SetStretchBltMode(fitted_dc.get(), HALFTONE);
  SetBrushOrgEx(fitted_dc.get(), 0, 0, nullptr);
  StretchBlt(fitted_dc.get(), 0, 0, fit.width, fit.height, source_dc.get(), 0, 0, size.width,
             size.height, SRCCOPY);
  GdiFlush();
  // The scaling leaves the alpha byte as it likes; the window manager
  // would take 0 as clear.
  for (std::uint32_t& pixel : std::span(pixels, static_cast<std::size_t>(fit.width) * fit.height))
    pixel |= 0xFF000000u;
  SelectObject(fitted_dc.get(), fitted_before);
  SelectObject(source_dc.get(), source_before);
  return fitted;
}

void FormPreviews::Offer(HWND app_window) {
  const DwmCalls& dwm = dwm_();
  if (!dwm.set_attribute || !dwm.set_iconic_thumbnail) return;
  const BOOL on = TRUE;
  dwm.set_attribute(app_window, kForceIconicRepresentation, &on, sizeof on);
  dwm.set_attribute(app_window, kHasIconicBitmap, &on, sizeof on);
}

void FormPreviews::Keep(HWND app_window, HWND form) {
  kept_ = CaptureForm(form, dwm_());
  if (!kept_.bitmap) return;
  // A Peek shows the full-size picture where the application window is.
  SetWindowPos(app_window, nullptr, kept_.frame.left, kept_.frame.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPreviews::Give(HWND app_window, HWND form, bool live, int max_width, int max_height) {
  const DwmCalls& dwm = dwm_();
  FormPicture shown;
  if (form) shown = CaptureForm(form, dwm);
  const FormPicture& picture = form ? shown : kept_;
  if (!picture.bitmap) return;
  if (live) {
    if (!dwm.set_iconic_live_preview) return;
    if (form)
      SetWindowPos(app_window, nullptr, picture.frame.left, picture.frame.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    dwm.set_iconic_live_preview(app_window, picture.bitmap.get(), nullptr, 0);
  } else {
    if (!dwm.set_iconic_thumbnail) return;
    const UniqueBitmap thumbnail = FitPicture(picture.bitmap.get(), max_width, max_height);
    if (!thumbnail) return;
    dwm.set_iconic_thumbnail(app_window, thumbnail.get(), 0);
  }
  given_ = true;
}

void FormPreviews::Invalidate(HWND app_window) {
  if (!given_) return;
  given_ = false;
  if (const auto invalidate = dwm_().invalidate_iconic_bitmaps) invalidate(app_window);
}

}  // namespace velm
