// Owned GDI fonts for the forms and dialogs.
#pragma once

#include <windows.h>

#include "core/unique_resource.h"

namespace velm::ui {

struct FontTraits {
  using Handle = HFONT;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using UniqueFont = UniqueResource<FontTraits>;

// "ＭＳ Ｐゴシック", Shift-JIS character set, character height in pixels.
UniqueFont CreateFormFont(int char_height, bool bold_italic);

}  // namespace velm::ui
