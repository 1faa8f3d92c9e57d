// The geometry of a form that needs no window: where a control of the
// 96-dpi design stands at a dpi, how tall a window is around its client
// area, and whether a window can be reached on some screen.
#pragma once

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

// Whether window shares an area with one of work_areas: the screens less
// their taskbars. A window that lies on a taskbar only is out of reach too.
constexpr bool MeetsAnyWorkArea(const PixelRect& window, std::span<const PixelRect> work_areas) {
  for (const PixelRect& area : work_areas)
    if (window.left < area.right && area.left < window.right && window.top < area.bottom &&
        area.top < window.bottom)
      return true;
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
