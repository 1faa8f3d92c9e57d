#include "ui/win32_font.h"

#include "core/texts.h"

namespace velm::ui {

UniqueFont CreateFormFont(int char_height, bool bold_italic) {
  // A negative height asks for the character height, not the cell height.
  return UniqueFont(CreateFontA(-char_height, 0, 0, 0, bold_italic ? FW_BOLD : FW_NORMAL,
                                bold_italic, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                text::kFontName));
}

}  // namespace velm::ui
