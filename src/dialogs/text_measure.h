// The dialogs' fonts at a dpi, and texts measured in them.
#pragma once

#include <windows.h>

#include <string>

#include "dialogs/dialog_layout.h"
#include "ui/win32_font.h"

namespace velm {

// The input box's font: "ＭＳ Ｐゴシック" at 9 points.
UniqueFont CreateInputBoxFont(int dpi);
// The system's message font (the input box's font when it is unavailable).
UniqueFont CreateMessageFont(int dpi);

class TextMeasure {
 public:
  // font: made for dpi.
  TextMeasure(HFONT font, int dpi);
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  ui::DialogUnits Units() const;
  int CharHeight() const;
  // The size of text word-wrapped at width; flags add DT_NOPREFIX and such.
  ui::Size Wrapped(const std::string& text, int width, UINT flags) const;
  // The width of one line, "&" marks not counted.
  int LineWidth(const std::string& text) const;

 private:
  HDC dc_;
  HGDIOBJ previous_;
  int dpi_;
};

}  // namespace velm
