// TForm1: the main window. Shows the entry list in the list view (ListBox1)
// or the drop-down view (ComboBox1), runs the editing commands and saves on
// closing and when the session ends. Sees its controls only through
// ui::FormView, and the restore window only through what opens it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/app_services.h"
#include "forms/form_links.h"
#include "ui/controls.h"
#include "ui/form_layout.h"

namespace velm {

// Control ids (WM_COMMAND ids on Win32), by role, with the component each
// handler is named after.
enum MainWindowControl {
  kVersionLabel = 100,  // Label1
  kChangeButton,        // Button1
  kDeleteButton,        // Button2
  kSwitchViewButton,    // Button3
  kExitButton,          // Button4
  kDropDownView,        // ComboBox1
  kExitNoSaveButton,    // Button5
  kRestoreOldButton,    // Button6
  kCreateButton,        // Button7
  kMoveButton,          // Button8
  kListView,            // ListBox1
  kClearButton,         // Button9
  kDropDownName,        // hidden labels that name ComboBox1
  kListViewName,        // and ListBox1 for screen readers
};

const ui::FormLayout& Form1Layout();

class TForm1 : public ui::FormEvents, public RestoreWindowOwner {
 public:
  TForm1(ui::FormView& view, AppServices& services, RestoreWindowOpener open_restore_window);

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

  // Log-off or shut-down: stores what the close would, showing nothing; a
  // write that fails is left out.
  void SaveAtSessionEnd() noexcept;

  // ui::FormEvents
  void OnClick(int control_id) override;
  void OnPick(int control_id) override;
  void OnCloseRequest() override;
  void OnDeleteKey(int control_id) override;  // as 削除

  // RestoreWindowOwner
  void ReplaceEntries(const std::vector<std::string>& entries) override;
  void EnableAgain() override;

 private:
  ui::Window& window() { return view_.window(); }
  ui::ListControl& ListBox1() { return view_.List(kListView); }
  ui::ListControl& ComboBox1() { return view_.List(kDropDownView); }
  // The control that holds the entry list: by the view flag, the one rule
  // for which list is current.
  ui::ListControl& CurrentList() { return ListFlag ? ListBox1() : ComboBox1(); }

  void ShowSavedView();
  bool Moving();  // the caption says so
  void EndMove();
  // The two stores of the close, each raising its write error.
  void SaveHistory();
  void SaveFormSettings();
  // Stores original and returns the item data that ties an entry to it;
  // OriginalOf goes back. 0 and the empty text stand for none.
  std::uintptr_t StoreOriginal(const std::u16string& original);
  const std::u16string& OriginalOf(std::uintptr_t item_data) const;

  ui::FormView& view_;
  AppServices& services_;
  RestoreWindowOpener open_restore_window_;
  // First history value the start-up load did not reach; the close leaves
  // values from there on alone unless an entry overwrites them.
  int first_unseen_ = 1;
  // The own text of each history value whose ANSI form lost characters, as
  // read at start-up; an entry that came unchanged from such a value holds
  // its position + 1 as item data, and the close writes this text for it.
  std::vector<std::u16string> originals_;

  // The form's own state keeps the names it has always had; the members
  // above belong to the C++ wrapper and follow the code base's style.
  bool ListFlag = true;  // true: the list view; false: the drop-down view
  bool NoSave = false;
  std::int32_t MoveFrom = 0;
  std::string IniPath;
};

}  // namespace velm
