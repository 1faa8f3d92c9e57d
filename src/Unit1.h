// TForm1: the main window. Shows the entry list in the list view (ListBox1)
// or the drop-down view (ComboBox1), runs the editing commands and saves on
// closing. Sees its controls only through ui::FormView.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app_services.h"
#include "ui/controls.h"
#include "ui/form_layout.h"

namespace velm {

class TForm2;

enum Form1Control {
  kForm1Label1 = 100,
  kForm1Button1,
  kForm1Button2,
  kForm1Button3,
  kForm1Button4,
  kForm1ComboBox1,
  kForm1Button5,
  kForm1Button6,
  kForm1Button7,
  kForm1Button8,
  kForm1ListBox1,
  kForm1Button9,
};

const ui::FormLayout& Form1Layout();

class TForm1 : public ui::FormEvents {
 public:
  TForm1(ui::FormView& view, AppServices& services);

  // Event handlers.
  void FormCreate();
  void Button4Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void FormClose();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void ListBox1Click();
  void ComboBox1Click();
  void Button9Click();

  // ui::FormEvents
  void OnClick(int control_id) override;
  void OnPick(int control_id) override;
  void OnCloseRequest() override;

  ui::Window& window() { return view_.window(); }
  ui::ListControl& ListBox1() { return view_.List(kForm1ListBox1); }
  ui::ListControl& ComboBox1() { return view_.List(kForm1ComboBox1); }
  // The control that holds the entry list: by ListFlag.
  ui::ListControl& CurrentList() { return ListFlag ? ListBox1() : ComboBox1(); }

  bool list_flag() const { return ListFlag; }
  bool no_save() const { return NoSave; }
  std::int32_t move_from() const { return MoveFrom; }
  const std::string& ini_path() const { return IniPath; }

 private:
  void ShowSavedView();
  // The item data that ties an entry to its original, and back; 0 and
  // the empty text stand for none.
  std::uintptr_t KeepOriginal(const std::u16string& original);
  const std::u16string& OriginalOf(std::uintptr_t item_data) const;

  ui::FormView& view_;
  AppServices& services_;
  // First history value the start-up load did not reach; the close leaves
  // values from there on alone unless an entry overwrites them.
  int first_unseen_ = 1;
  // The own text of each history value whose ANSI form lost characters, as
  // read at start-up; an entry that came unchanged from such a value holds
  // its position + 1 as item data, and the close writes this text for it.
  std::vector<std::u16string> originals_;

  bool ListFlag = true;
  bool NoSave = false;
  std::int32_t MoveFrom = 0;
  std::string IniPath;
};

extern TForm1* Form1;

}  // namespace velm
