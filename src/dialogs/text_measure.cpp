#include "dialogs/text_measure.h"

#include "core/system_function.h"
#include "ui/win32_dpi.h"

namespace velm {

namespace {

using SystemParametersInfoForDpiFunction = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);

}  // namespace

UniqueFont CreateInputBoxFont(int dpi) {
  return ui::CreateFormFont(MulDiv(9, dpi, 72), false);
}

UniqueFont CreateMessageFont(int dpi) {
  // Windows 10 on gives the metrics at any dpi; before, they are the
  // screen's, and the font's height is taken from its dpi to dpi.
  static auto* const for_dpi = SystemFunction<SystemParametersInfoForDpiFunction>(
      "user32.dll", "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  bool found = false;
  if (for_dpi) found = for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  if (!found && SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ui::ScreenDpi());
    found = true;
  }
  if (found)
    if (UniqueFont font{CreateFontIndirectW(&metrics.lfMessageFont)}) return font;
  return CreateInputBoxFont(dpi);
}

TextMeasure::TextMeasure(HFONT font, int dpi)
    : dc_(GetDC(nullptr)), previous_(SelectObject(dc_, font)), dpi_(dpi) {}

TextMeasure::~TextMeasure() {
  SelectObject(dc_, previous_);
  ReleaseDC(nullptr, dc_);
}

ui::DialogUnits TextMeasure::Units() const {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  GetTextExtentPoint32A(dc_, kLetters, 52, &extent);
  return ui::DialogUnits::FromLetters(extent.cx, CharHeight(), dpi_);
}

int TextMeasure::CharHeight() const {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc_, &metrics);
  return metrics.tmHeight;
}

ui::Size TextMeasure::Wrapped(const std::string& text, int width, UINT flags) const {
  RECT rect{0, 0, width, 0};
  DrawTextA(dc_, text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | flags);
  return {rect.right, rect.bottom};
}

int TextMeasure::LineWidth(const std::string& text) const {
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc_, text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  return rect.right;
}

}  // namespace velm
