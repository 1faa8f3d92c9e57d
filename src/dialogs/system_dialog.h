// The input box and the message dialogs are system dialogs (class #32770)
// that the system's dialog manager runs from an empty in-memory template.
// The manager gives them the dialog role a screen reader announces, Tab,
// Enter on the focused push button or else the default one, Esc, access keys
// with or without Alt, and a modal loop that enables the owner before the
// dialog hides, so the window the user came from is active again. The
// dialog procedure adds the rest: controls placed in pixels by the dialogs'
// own arithmetic at the owner's dpi, centred in the work area of the owner's
// monitor and laid out afresh from the design when the dpi changes; the
// close box, Alt+F4 and a quit message answering 2; Ctrl+C copying the
// dialog's text; Enter and Esc ignored while Shift, Ctrl or Alt is held.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/win32_handles.h"
#include "dialogs/dialog_layout.h"

namespace velm {

// One control, made once when the dialog starts; its place comes from the
// layout of the moment.
struct DialogControl {
  const char* window_class;  // "BUTTON", "STATIC", "EDIT"
  int id;                    // a button's id is its result
  std::string text;
  DWORD style;  // besides WS_CHILD | WS_VISIBLE
  DWORD ex_style = 0;
  LPCSTR system_icon = nullptr;  // an SS_ICON static's system icon (IDI_...)
  int text_limit = 0;            // an edit field's typing limit, set after its text
  bool entry_text = false;       // text is an entry's (UTF-8), read back as such
};

// The dialog at one dpi: the font every control uses, the client size and
// each control's rectangle, in the order of the controls.
struct DialogFace {
  UniqueFont font;
  ui::Size client;
  std::vector<ui::Rect> places;
};

struct DialogDesign {
  std::string caption = {};
  bool entry_caption = false;  // the caption is UTF-8: it may hold an entry
  // In tab order: the first tab stop has the focus when the dialog opens.
  std::vector<DialogControl> controls = {};
  std::function<DialogFace(int dpi)> lay_out = {};
  int default_id = 0;          // pressed by Enter while no push button has the focus
  int cancel_result = 0;       // Esc's answer
  int read_back_id = 0;        // a control whose text a button's answer keeps; 0: none
  std::string copy_text = {};  // what Ctrl+C copies; empty: Ctrl+C does nothing
  // Told of a control's notification other than a click (EN_CHANGE,
  // EN_MAXTEXT); may be empty.
  std::function<void(HWND control, int code)> on_notify = {};
};

struct DialogOutcome {
  int result;
  std::string text;  // read_back_id's text when a button ended the dialog, in its control's form
};

// The dpi owner is shown at; the screen's without an owner.
int DialogDpi(HWND owner);
// The whole area and the work area of owner's monitor; the primary
// monitor's without an owner.
struct MonitorAreas {
  ui::Rect whole;
  ui::Rect work;
};
MonitorAreas MonitorOf(HWND owner);

// Shows the dialog modally, owned by owner (nullptr: none), and waits for
// its answer. Throws WindowCreationError when the system refuses a window.
DialogOutcome RunSystemDialog(HWND owner, const DialogDesign& design);

}  // namespace velm
