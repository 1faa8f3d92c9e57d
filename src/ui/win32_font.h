// Owned GDI fonts for the forms and dialogs.
#pragma once

#include <windows.h>

#include "core/win32_handles.h"

namespace velm::ui {

// "ＭＳ Ｐゴシック", Shift-JIS character set, character height in pixels.
UniqueFont CreateFormFont(int char_height, bool bold_italic);

}  // namespace velm::ui
