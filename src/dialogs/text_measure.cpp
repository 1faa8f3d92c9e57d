#include "dialogs/text_measure.h"

#include "core/texts.h"
#include "ui/win32_dpi.h"

namespace velm {

UniqueFont CreateInputBoxFont() {
  return ui::CreateFormFont(MulDiv(9, ui::ScreenDpi(), 72), false);
}

UniqueFont CreateMessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    if (UniqueFont font{CreateFontIndirectA(&metrics.lfMessageFont)}) return font;
  return CreateInputBoxFont();
}

TextMeasure::TextMeasure(HFONT font) : dc_(GetDC(nullptr)), previous_(SelectObject(dc_, font)) {}

TextMeasure::~TextMeasure() {
  SelectObject(dc_, previous_);
  ReleaseDC(nullptr, dc_);
}

// The dialogs are laid out at the screen's dpi, which their fonts follow.
ui::DialogUnits TextMeasure::Units() const {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  GetTextExtentPoint32A(dc_, kLetters, 52, &extent);
  return ui::DialogUnits::FromLetters(extent.cx, CharHeight(), ui::ScreenDpi());
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
