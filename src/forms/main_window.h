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
#include "forms/undo_history.h"
#include "stores/history_merge.h"
#include "stores/history_store.h"
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
  // Del as 削除; Enter, F2 and a double click as 変更; Ins as 作成;
  // Ctrl+Up and Ctrl+Down move the entry by one; Ctrl+Z undoes the last
  // edit, Ctrl+Y redoes it; Ctrl+C copies the selected address.
  void OnListAction(int control_id, ui::ListAction action) override;
  bool OnDragStart(int control_id, int index) override;
  void OnDrop(int control_id, int from, int to) override;
  std::vector<ui::MenuItem> ListMenu(int control_id) override;

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

  template <typename Command>
  void RunCommand(Command&& command);
  // Runs edit; a change it makes to the list is one step to undo.
  template <typename Edit>
  void Undoable(Edit&& edit);
  ListState Snapshot();
  void PutBack(const ListState& state);
  void Undo();
  void Redo();
  void CopySelected();
  void RunButton(int control_id);
  void RunListAction(ui::ListAction action, bool after_move_pick);
  void MoveSelectedByOne(int step);
  // A command is about to change the entries: a drag under way would drop
  // an entry by a position that no longer names it.
  void CancelDrag();
  void ShowSavedView();
  bool Moving();  // the caption says so
  void EndMove();
  // The two stores of the close, each raising its write error.
  void SaveHistory();
  void SaveFormSettings();
  // The entries of the current list with their origins, as the close's
  // merge takes them.
  std::vector<ListedEntry> ListedEntries();

  ui::FormView& view_;
  AppServices& services_;
  RestoreWindowOpener open_restore_window_;
  // The history values as the start-up read them. What the user did to
  // them is the list's texts, each entry's item data (its origin among them
  // and whether it was changed, forms/entry_origin.h) and list_flags_: the
  // close replays exactly that onto the history as it then stands.
  HistoryBaseline history_;
  UndoHistory undo_;
  ListFlags list_flags_;
  // A command's handler is running, maybe inside its dialog's message loop.
  bool command_running_ = false;
  // A drag of the list view's began and has been neither dropped nor
  // cancelled by a command.
  bool dragging_ = false;
  // The last event was a pick that ended a move: the first click of a
  // double click, whose second click then asks for nothing more.
  bool pick_ended_move_ = false;

  // The form's own state keeps the names it has always had; the members
  // above belong to the C++ wrapper and follow the code base's style.
  bool ListFlag = true;  // true: the list view; false: the drop-down view
  bool NoSave = false;
  std::int32_t MoveFrom = 0;
  SettingsPath IniPath;
};

}  // namespace velm
