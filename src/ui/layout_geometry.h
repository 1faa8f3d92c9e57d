// The geometry of a form that needs no window: where a control of the
// 96-dpi design stands at a dpi, how tall a window is around its client
// area, and whether a window can be taken hold of on some screen.
#pragma once

#include <algorithm>
#include <optional>
#include <span>

#include "ui/dpi_scale.h"
#include "ui/form_layout.h"

namespace velm::ui {

// In pixels: of a window's client area, or of the screen.
struct PixelRect {
  int left, top, right, bottom;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
  int x, y;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A control's place at dpi, always taken from the design, so moving a window
// between monitors of different dpi never adds up rounding.
constexpr PixelRect ControlRectAt(const ControlLayout& control, int dpi) {
  const int left = ScaleToDpi(control.left, dpi);
  const int top = ScaleToDpi(control.top, dpi);
  return {left, top, left + ScaleToDpi(control.width, dpi), top + ScaleToDpi(control.height, dpi)};
}

// The outer length of a window around a client length designed at 96 dpi and
// shown at dpi, where the system cannot say what frame it draws at that dpi
// (before Windows 10 1607). Those systems draw the frame at their own
// metrics whatever the window's dpi: their per-monitor awareness leaves the
// title bar and border unscaled. So frame, measured at those metrics, is
// added as it is.
constexpr int OuterLengthAt(int designed_client, int dpi, int frame) {
  return ScaleToDpi(designed_client, dpi) + frame;
}

// The part of a window's title bar that drags the window: from below the
// top border down to the client area, between the side borders, less the
// window's icon at the left and its three caption buttons at the right.
// Windows 10 and 11 draw each button about twice as wide as the caption is
// tall, so six caption heights are kept for them, and one for the icon.
constexpr PixelRect TitleBarGrip(const PixelRect& window, int border, int client_top) {
  const int caption = client_top - window.top - border;
  return {window.left + border + caption, window.top + border, window.right - border - 6 * caption,
          client_top};
}

// Whether one of work_areas (the screens less their taskbars) holds a piece
// of grip big enough to take hold of: one pixel on screen is no way back.
constexpr bool GripInReach(const PixelRect& grip, std::span<const PixelRect> work_areas) {
  constexpr int kLeastWidth = 100, kLeastHeight = 5;
  for (const PixelRect& area : work_areas) {
    const int width = std::min(grip.right, area.right) - std::max(grip.left, area.left);
    const int height = std::min(grip.bottom, area.bottom) - std::max(grip.top, area.top);
    if (width >= kLeastWidth && height >= kLeastHeight) return true;
  }
  return false;
}

// Where the application window goes before an error report: the system
// centres a message box on its owner's monitor, and the report should open
// on the monitor the user works on, that of the active form, whose work area
// is active_form_work_area (none without an active form: the primary's). The
// top left corner that centres a window of width x height there.
constexpr PixelPoint ReportOwnerPlace(std::optional<PixelRect> active_form_work_area,
                                      const PixelRect& primary_work_area, int width, int height) {
  const PixelRect area = active_form_work_area.value_or(primary_work_area);
  return {area.left + (area.right - area.left - width) / 2,
          area.top + (area.bottom - area.top - height) / 2};
}

}  // namespace velm::ui
