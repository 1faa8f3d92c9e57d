// Owned GDI fonts for the forms and dialogs.
#pragma once

#include <windows.h>

#include "core/win32_handles.h"

namespace velm::ui {

// "ＭＳ Ｐゴシック", Shift-JIS character set, character height in pixels.
UniqueFont CreateFormFont(int char_height, bool bold_italic);

// The height of a line of font as the system draws it: a face that stands in
// for a missing one may be taller than the character height asked for.
int LineHeightOf(HFONT font);

}  // namespace velm::ui
