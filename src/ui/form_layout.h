// A form as data: its window and controls, like a dialog template. The Win32
// toolkit and the headless one both instantiate forms from these tables.
#pragma once

#include <span>

namespace velm::ui {

enum class ControlKind { kButton, kLabel, kListBox, kComboBox };

struct ControlLayout {
  int id;            // WM_COMMAND id on Win32; the handler switch uses it
  const char* name;  // component name, e.g. "Button1"
  ControlKind kind;
  int left, top, width, height;  // client pixels
  const char* caption;           // nullptr: none
  int tab_order;                 // -1: not a tab stop
  bool visible;
  int font_height;   // character height in pixels ("ＭＳ Ｐゴシック", Shift-JIS)
  bool bold_italic;  // the version label's font
  // A list of addresses, which can be wider than the list: it scrolls
  // sideways as far as its widest entry. Other lists keep a plain list box.
  bool scrolls_sideways = false;
};

enum class FrameKind {
  kMainWindow,  // single fixed border, system menu + minimize, no maximize
  kToolDialog,  // fixed dialog frame, close box only
};

struct FormLayout {
  const char* name;
  const char* caption;
  FrameKind frame;
  int client_width, client_height;
  int left, top;  // screen pixels
  bool visible;   // shown once created
  int font_height;
  std::span<const ControlLayout> controls;
};

}  // namespace velm::ui
