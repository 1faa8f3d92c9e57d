// TForm2's layout: the restore window, created hidden.
#include "forms/restore_window.h"

#include "core/texts.h"

namespace velm {

namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr int kFont = 12;

// Label1 names the generation list for screen readers, as the label right
// before it in z-order; a hidden label names the preview list.
const ControlLayout kControls[] = {
    // id, name, kind, left, top, width, height, caption, tab, visible, font, bold italic,
    // scrolls sideways: the generation list's captions are no addresses
    {kRestoreHeading, "Label1", ControlKind::kLabel, 8, 8, 401, 12, text::kRestoreLabelDesign, -1,
     true, kFont, false},
    {kGenerationList, "ListBox1", ControlKind::kListBox, 16, 40, 73, 65, nullptr, 0, true, kFont,
     false},
    {kRestoreButton, "Button1", ControlKind::kButton, 24, 184, 57, 17, text::kButtonRestore, 1,
     true, kFont, false},
    {kBackButton, "Button2", ControlKind::kButton, 24, 224, 57, 17, text::kButtonBack, 2, true,
     kFont, false},
    {kPreviewName, "ListBox2Name", ControlKind::kLabel, 120, 32, 289, 305, text::kPreviewListName,
     -1, false, kFont, false},
    {kPreviewList, "ListBox2", ControlKind::kListBox, 120, 32, 289, 305, nullptr, 3, true, kFont,
     false, true},
};

const ui::FormLayout kForm2 = {
    "Form2",   text::kRestoreCaption, ui::FrameKind::kToolDialog, 416, 343, 224, 248, false, kFont,
    kControls,
};

}  // namespace

const ui::FormLayout& Form2Layout() {
  return kForm2;
}

}  // namespace velm
