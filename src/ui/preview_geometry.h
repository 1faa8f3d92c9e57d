// The arithmetic of the pictures the taskbar shows of a form: which form,
// which part of its capture, at what size and where, and how the capture's
// clear pixels become opaque.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ui/layout_geometry.h"

namespace velm::ui {

struct PixelSize {
  int width, height;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Where a preview's picture comes from. While the application is minimized
// the forms are hidden, and a hidden window prints as nothing: the picture
// kept when they were hidden stands for them.
enum class PreviewSource { kMainForm, kRestoreForm, kKeptPicture };

constexpr PreviewSource PreviewSourceFor(bool minimized, bool picture_kept,
                                         bool restore_form_shown) {
  if (minimized && picture_kept) return PreviewSource::kKeptPicture;
  return restore_form_shown ? PreviewSource::kRestoreForm : PreviewSource::kMainForm;
}

// What the user sees of a window on the screen: the window manager's
// visible frame (its extended frame bounds), which leaves out the invisible
// resizing borders that Windows 10 and 11 count in the window rectangle,
// taken within that rectangle. The window rectangle itself where the manager
// gives no frame (no window manager: Wine, or before Vista) or one that
// misses the window. Its top left corner is where a full-size preview goes.
constexpr PixelRect VisibleFrame(const PixelRect& window, std::optional<PixelRect> frame_bounds) {
  if (!frame_bounds) return window;
  const PixelRect cut{
      std::max(window.left, frame_bounds->left), std::max(window.top, frame_bounds->top),
      std::min(window.right, frame_bounds->right), std::min(window.bottom, frame_bounds->bottom)};
  return cut.left < cut.right && cut.top < cut.bottom ? cut : window;
}

// A picture of size scaled down to fit within max_width x max_height with
// its proportions kept, never up, never below one pixel a side; the system
// refuses a thumbnail larger than it asked for.
constexpr PixelSize FittedSize(PixelSize size, int max_width, int max_height) {
  if (size.width <= max_width && size.height <= max_height) return size;
  const std::int64_t width = size.width, height = size.height;
  if (width * max_height >= height * max_width)  // the width is what binds
    return {max_width, static_cast<int>(std::max<std::int64_t>(1, height * max_width / width))};
  return {static_cast<int>(std::max<std::int64_t>(1, width * max_height / height)), max_height};
}

// Whether a 32-bit capture (0xAARRGGBB) straight from the print is the
// window manager's own picture of a window, which comes with an alpha
// channel, children and all. What GDI prints (Wine's print) has every
// alpha 0; its children, printed after it, may set some.
inline bool HasAlpha(std::span<const std::uint32_t> pixels) {
  return std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t pixel) { return pixel >> 24; });
}

// How to read a capture's alpha byte: not at all (GDI's), or as the window
// manager's premultiplied alpha.
enum class CaptureAlpha { kNone, kPremultiplied };

// A premultiplied pixel laid over the opaque colour face (0xRRGGBB).
constexpr std::uint32_t OverFace(std::uint32_t pixel, std::uint32_t face) {
  const std::uint32_t clear = 0xFF - (pixel >> 24);
  std::uint32_t opaque = 0xFF000000u;
  for (int shift : {0, 8, 16}) {
    const std::uint32_t channel =
        (pixel >> shift & 0xFF) + ((face >> shift & 0xFF) * clear + 127) / 0xFF;
    opaque |= std::min<std::uint32_t>(channel, 0xFF) << shift;
  }
  return opaque;
}

// Makes every pixel of a 32-bit capture, width pixels a row, opaque, as the
// window manager takes a preview. In the window manager's own picture the
// corners outside a rounded frame are clear: they are laid over face, the
// colour of the window's face, not left black. Only what is clear from the
// picture's corners up to the opaque frame is: inside it, a clear black
// pixel may be text that GDI drew.
inline void MakeOpaque(std::span<std::uint32_t> pixels, int width, CaptureAlpha alpha,
                       std::uint32_t face) {
  const std::size_t row = static_cast<std::size_t>(std::max(width, 1));
  if (alpha == CaptureAlpha::kPremultiplied && !pixels.empty()) {
    std::vector<std::size_t> next = {0, row - 1, pixels.size() - row, pixels.size() - 1};
    while (!next.empty()) {
      const std::size_t at = next.back();
      next.pop_back();
      if (at >= pixels.size() || pixels[at] >> 24 == 0xFF) continue;  // opaque, or done
      pixels[at] = OverFace(pixels[at], face);
      if (at % row > 0) next.push_back(at - 1);
      if (at % row + 1 < row) next.push_back(at + 1);
      if (at >= row) next.push_back(at - row);
      next.push_back(at + row);
    }
  }
  for (std::uint32_t& pixel : pixels) pixel |= 0xFF000000u;
}

}  // namespace velm::ui
