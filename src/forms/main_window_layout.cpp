// TForm1's layout: window and controls in creation order, as designed at 96 dpi.
#include "forms/main_window.h"

#include "core/texts.h"

namespace velm {

namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr int kFont = 12;

// A screen reader names a list after the label right before it in z-order;
// where the design shows none, a hidden one stands there.
const ControlLayout kControls[] = {
    // id, name, kind, left, top, width, height, caption, tab, visible, font, bold italic,
    // scrolls sideways
    {kVersionLabel, "Label1", ControlKind::kLabel, 440, 370, 65, 16, text::kVersionLabel, -1, true,
     16, true},
    {kChangeButton, "Button1", ControlKind::kButton, 16, 8, 73, 25, text::kButtonChange, 0, true,
     kFont, false},
    {kDeleteButton, "Button2", ControlKind::kButton, 16, 32, 73, 25, text::kButtonDelete, 2, true,
     kFont, false},
    {kSwitchViewButton, "Button3", ControlKind::kButton, 184, 8, 97, 25, text::kButtonSwitchView, 3,
     true, kFont, false},
    {kExitButton, "Button4", ControlKind::kButton, 400, 8, 97, 25, text::kButtonExit, 4, true,
     kFont, false},
    {kDropDownName, "ComboBox1Name", ControlKind::kLabel, 16, 64, 481, 20, text::kHistoryListName,
     -1, false, kFont, false},
    {kDropDownView, "ComboBox1", ControlKind::kComboBox, 16, 64, 481, 20, nullptr, 5, false, kFont,
     false, true},
    {kExitNoSaveButton, "Button5", ControlKind::kButton, 400, 32, 97, 25, text::kButtonExitNoSave,
     6, true, kFont, false},
    {kRestoreOldButton, "Button6", ControlKind::kButton, 184, 32, 97, 25, text::kButtonRestoreOld,
     7, true, kFont, false},
    {kCreateButton, "Button7", ControlKind::kButton, 88, 8, 73, 25, text::kButtonCreate, 8, true,
     kFont, false},
    {kMoveButton, "Button8", ControlKind::kButton, 88, 32, 73, 25, text::kButtonMove, 9, true,
     kFont, false},
    {kListViewName, "ListBox1Name", ControlKind::kLabel, 16, 64, 481, 305, text::kHistoryListName,
     -1, false, kFont, false},
    {kListView, "ListBox1", ControlKind::kListBox, 16, 64, 481, 305, nullptr, 1, true, kFont, false,
     true},
    {kClearButton, "Button9", ControlKind::kButton, 304, 20, 73, 25, text::kButtonClear, 10, true,
     kFont, false},
};

const ui::FormLayout kForm1 = {
    "Form1", text::kAppTitle, ui::FrameKind::kMainWindow, 514, 386, 192, 107, true,
    kFont,   kControls,
};

}  // namespace

const ui::FormLayout& Form1Layout() {
  return kForm1;
}

}  // namespace velm
