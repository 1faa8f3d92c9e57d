#include "ui/win32_font.h"

#include "core/texts.h"

namespace velm::ui {

UniqueFont CreateFormFont(int char_height, bool bold_italic) {
  // A negative height asks for the character height, not the cell height.
  // Where the face is missing, the pitch and family make the system choose
  // a proportional sans-serif face rather than a monospaced one.
  return UniqueFont(CreateFontA(-char_height, 0, 0, 0, bold_italic ? FW_BOLD : FW_NORMAL,
                                bold_italic, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                                text::kFontName));
}

int LineHeightOf(HFONT font) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, font);
  TEXTMETRICA metrics{};
  const bool measured = GetTextMetricsA(screen, &metrics) != FALSE;
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return measured ? static_cast<int>(metrics.tmHeight) : 0;
}

}  // namespace velm::ui
