// TForm2: the restore window. Lists the backup generations, previews one and
// puts it in place of the main window's entry list.
#pragma once

#include "app_services.h"
#include "stores/ini_document.h"
#include "ui/controls.h"
#include "ui/form_layout.h"

namespace velm {

enum Form2Control {
  kForm2Label1 = 200,
  kForm2ListBox1,
  kForm2Button1,
  kForm2Button2,
  kForm2ListBox2,
};

const ui::FormLayout& Form2Layout();

class TForm2 : public ui::FormEvents {
 public:
  TForm2(ui::FormView& view, AppServices& services);

  void ListBox1Click();
  void Button1Click();
  void Button2Click();

  // Called by the main window's "旧データの復旧" with a count of 1..5 and
  // velm.ini as it read it; the previews come from that reading.
  void Open(int generation_count, IniDocument settings);

  void OnClick(int control_id) override;
  void OnPick(int control_id) override;
  void OnCloseRequest() override;  // same as Back

  ui::Window& window() { return view_.window(); }
  ui::Label& Label1() { return view_.LabelControl(kForm2Label1); }
  ui::ListControl& ListBox1() { return view_.List(kForm2ListBox1); }
  ui::ListControl& ListBox2() { return view_.List(kForm2ListBox2); }

 private:
  ui::FormView& view_;
  AppServices& services_;
  IniDocument settings_;
};

extern TForm2* Form2;

}  // namespace velm
