// Where the input box and the message dialogs put their parts. Sizes are
// given in dialog units of the dialog's font and placed in pixels; the Win32
// side measures texts and fonts and hands the numbers in.
#pragma once

#include <vector>

#include "ui/dpi_scale.h"

namespace velm::ui {

struct Size {
  int width = 0;
  int height = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

// x: the average width of "A".."Z" and "a".."z" (their joint extent / 52);
// y: the font's character height; dpi: the dpi the font was made for, which
// the lengths given in pixels follow too.
struct DialogUnits {
  int x = 0;
  int y = 0;
  int dpi = kDesignDpi;
  static DialogUnits FromLetters(int extent_of_52_letters, int char_height, int dpi) {
    return {extent_of_52_letters / 52, char_height, dpi};
  }
  // n units in pixels, rounded to the nearest pixel.
  int Horz(int n) const { return (n * x + 2) / 4; }
  int Vert(int n) const { return (n * y + 4) / 8; }
  // n pixels as designed at 96 dpi.
  int Pixels(int n) const { return ScaleToDpi(n, dpi); }
};

struct InputBoxLayout {
  Rect prompt, edit, ok, cancel;
  Size client;
};

// The width at which the prompt wraps.
int InputBoxPromptWrapWidth(DialogUnits units);

// prompt: the prompt's size when wrapped at InputBoxPromptWrapWidth;
// edit_height: the font's character height plus eight borders at the dpi.
InputBoxLayout LayoutInputBox(DialogUnits units, Size prompt, int edit_height);

struct MessageDialogLayout {
  Rect icon;  // empty without an icon
  Rect text;
  std::vector<Rect> buttons;  // left to right
  Size client;
};

// A window of size outer centred in work_area, the work area of the owner's
// monitor in screen pixels (negative left of or above the primary monitor).
// One larger than the work area keeps its top left corner, and so its title
// bar, inside it.
Rect CentredIn(const Rect& work_area, Size outer);

// The icon's side at 96 dpi.
inline constexpr int kIconSize = 32;

// text: the message's size when wrapped at half the screen's width;
// widest_caption: the pixel width of the widest button caption.
MessageDialogLayout LayoutMessageDialog(DialogUnits units, Size text, bool has_icon,
                                        int button_count, int widest_caption);

}  // namespace velm::ui
