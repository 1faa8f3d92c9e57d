// TForm2: the restore window. Lists the backup generations, previews one and
// puts it in place of its owner's entry list.
#pragma once

#include "forms/form_links.h"
#include "stores/ini_document.h"
#include "ui/controls.h"
#include "ui/form_layout.h"

namespace velm {

// Control ids by role, with the component each handler is named after.
enum RestoreWindowControl {
  kRestoreHeading = 200,  // Label1
  kGenerationList,        // ListBox1
  kRestoreButton,         // Button1
  kBackButton,            // Button2
  kPreviewList,           // ListBox2
  kPreviewName,           // a hidden label that names ListBox2 for screen readers
};

const ui::FormLayout& Form2Layout();

class TForm2 : public ui::FormEvents {
 public:
  TForm2(ui::FormView& view, RestoreWindowOwner& owner);

  void ListBox1Click();
  void Button1Click();
  void Button2Click();

  // Shows the window for a count of 1..5 and velm.ini as the main window's
  // "旧データの復旧" read it; the previews come from that reading.
  void Open(int generation_count, IniDocument settings);

  void OnClick(int control_id) override;
  void OnPick(int control_id) override;
  void OnCloseRequest() override;  // same as Back

 private:
  ui::Window& window() { return view_.window(); }
  bool TakesInput();
  ui::Label& Label1() { return view_.LabelControl(kRestoreHeading); }
  ui::ListControl& ListBox1() { return view_.List(kGenerationList); }
  ui::ListControl& ListBox2() { return view_.List(kPreviewList); }

  ui::FormView& view_;
  RestoreWindowOwner& owner_;
  IniDocument settings_;
};

}  // namespace velm
