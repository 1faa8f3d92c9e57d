// TForm1's handlers: start-up filling, the two views, the editing commands
// with the move mode held in the caption, closing and saving.
#include "forms/main_window.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ansi_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "forms/entry_origin.h"
#include "forms/list_menu.h"
#include "forms/move_by_one.h"
#include "stores/generations.h"
#include "stores/history_store.h"
#include "stores/settings.h"
#include "stores/startup_sequence.h"
#include "stores/window_settings.h"
#include "ui/dispatch.h"

namespace velm {

namespace {

// Client heights at 96 dpi, kept as client heights so that a taller title bar
// cuts nothing off. The drop-down view is 89 at start-up but 99 after a
// switch; both hide Label1 below the client area. The list view starts at its
// designed 386 and is set to 388 by a switch. Around them a 25-pixel frame
// makes the outer heights 114, 124 and 413.
constexpr int kDropDownHeightAtStart = 89;
constexpr int kDropDownHeightAfterSwitch = 99;
constexpr int kListHeightAfterSwitch = 388;

// Texts and item data alike: an entry keeps its origin across a switch.
void CopyEntries(ui::ListControl& from, ui::ListControl& to) {
  for (int i = 0; i < from.Count(); ++i) {
    to.Append(from.Text(i));
    if (const std::uintptr_t data = from.ItemData(i)) to.SetItemData(to.Count() - 1, data);
  }
}

void SelectFirst(ui::ListControl& list) {
  list.Select(list.Count() > 0 ? 0 : -1);
}

// The second half of a move: the pick names the target. Outside move mode a
// pick only selects. true: the move is made.
bool FinishMove(ui::Window& window, ui::ListControl& list, int move_from) {
  if (window.Caption() != text::kMovingCaption) return false;
  int target = list.Selected();
  if (target < 0) return false;  // a notification without a selection names no target
  // Throws the index error before changing anything when move_from is gone,
  // so the window stays in move mode.
  list.Move(move_from, target);
  window.SetCaption(text::kAppTitle);
  return true;
}

}  // namespace

// Binds itself to its view: the toolkit's events reach the handlers at once.
TForm1::TForm1(ui::FormView& view, AppServices& services, RestoreWindowOpener open_restore_window)
    : view_(view), services_(services), open_restore_window_(std::move(open_restore_window)) {
  view_.Bind(this);
}

void TForm1::FormCreate() {
  IniPath = SettingsPathFor(services_.exe_path);
  NoSave = false;

  StartupState state;
  // The window settings are read first, so the entries go where the saved
  // view will show them.
  std::size_t loaded = 0;
  auto append = [&](const HistoryValue& value) {
    ui::ListControl& list = state.window.list_flag ? ListBox1() : ComboBox1();
    list.Append(value.text);
    list.SetItemData(list.Count() - 1, LoadedEntryData(loaded++));
  };
  auto apply = [&] {
    ListFlag = state.window.list_flag;
    window().SetTop(state.window.top);
    window().SetLeft(state.window.left);
    history_.loaded = std::move(state.loaded);
    history_.loaded_stamp = state.loaded_stamp;
    ShowSavedView();
    // A position kept from a monitor no longer attached, or one that leaves
    // a corner on screen, would open the window where the user cannot drag
    // it back. Any position that keeps the title bar in reach is kept.
    if (!window().TitleBarInReach()) {
      window().SetTop(WindowSettings{}.top);
      window().SetLeft(WindowSettings{}.left);
    }
  };
  try {
    RunStartupSequence(services_.settings_file, services_.registry, IniPath, append, &state);
  } catch (...) {
    // The saved view is shown whatever the load reached; the error then goes
    // on to the report, which appears before the window does.
    apply();
    throw;
  }
  apply();
}

void TForm1::ShowSavedView() {
  ListBox1().SetVisible(ListFlag);
  ComboBox1().SetVisible(!ListFlag);
  // The list view keeps its designed height and, freshly filled, has no
  // selection.
  if (!ListFlag) {
    SelectFirst(ComboBox1());
    window().SetClientHeight(kDropDownHeightAtStart);
  }
}

void TForm1::Button3Click() {
  if (ListFlag) {
    ComboBox1().Clear();
    CopyEntries(ListBox1(), ComboBox1());
    ListBox1().SetVisible(false);
    ComboBox1().SetVisible(true);
    SelectFirst(ComboBox1());
    window().SetClientHeight(kDropDownHeightAfterSwitch);
    ListFlag = false;
  } else {
    ListBox1().Clear();
    CopyEntries(ComboBox1(), ListBox1());
    ListBox1().SetVisible(true);
    ComboBox1().SetVisible(false);
    window().SetClientHeight(kListHeightAfterSwitch);
    ListFlag = true;
  }
}

void TForm1::Button1Click() {
  int index = CurrentList().Selected();
  if (index < 0) return;
  std::string entry = CurrentList().Text(index);
  std::string changed = services_.dialogs.InputBox(entry + AnsiToUtf8(text::kChangeCaptionSuffix),
                                                   text::kChangePrompt, entry);
  if (changed.empty()) {
    services_.dialogs.ErrorDialog(text::kChangeEmpty);
    return;
  }
  ui::ListControl& list = CurrentList();
  // Cancel, or OK on the text as shown, gives the text back: the entry is
  // still the value it was read from.
  const std::uintptr_t data =
      changed == entry ? list.ItemData(index) : ChangedEntryData(list.ItemData(index));
  list.Remove(index);
  list.Insert(index, changed);
  if (data != 0) list.SetItemData(index, data);
  list.Select(index);
}

void TForm1::Button2Click() {
  int index = CurrentList().Selected();
  if (index < 0) return;
  CurrentList().Remove(index);
  // The move keeps to its entry: it ends when that goes, and follows it up
  // when one before it goes.
  if (!Moving()) return;
  if (index == MoveFrom)
    EndMove();
  else if (index < MoveFrom)
    --MoveFrom;
}

void TForm1::Button7Click() {
  // The history keeps 25 values: an entry past them would be dropped at the
  // close without the user knowing, so it is refused while there is room to
  // say why.
  if (CurrentList().Count() >= kHistoryValues) {
    services_.dialogs.ErrorDialog(text::kHistoryFull);
    return;
  }
  std::string entry =
      services_.dialogs.InputBox(AnsiToUtf8(text::kCreateCaption), text::kCreatePrompt, "");
  if (entry.empty()) return;
  // Asked again: the box is modal, but the list is not ours alone while it
  // is open (a restore, another program's messages).
  if (CurrentList().Count() >= kHistoryValues) {
    services_.dialogs.ErrorDialog(text::kHistoryFull);
    return;
  }
  CurrentList().Append(entry);
}

void TForm1::Button9Click() {
  ListBox1().Clear();
  ComboBox1().Clear();
  EndMove();  // its entry is gone
  list_flags_.users_order = true;
}

void TForm1::Button8Click() {
  int index = CurrentList().Selected();
  if (index < 0) return;
  MoveFrom = index;
  if (window().Caption() == text::kAppTitle) {
    // The caption already says "moving" while the message is up.
    window().SetCaption(text::kMovingCaption);
    services_.dialogs.ShowMessage(text::kMovePrompt);
  } else {
    window().SetCaption(text::kAppTitle);
  }
}

bool TForm1::Moving() {
  return window().Caption() == text::kMovingCaption;
}

void TForm1::EndMove() {
  if (Moving()) window().SetCaption(text::kAppTitle);
}

void TForm1::ListBox1Click() {
  pick_ended_move_ = FinishMove(window(), ListBox1(), MoveFrom);
  if (pick_ended_move_) list_flags_.users_order = true;
}

void TForm1::ComboBox1Click() {
  pick_ended_move_ = FinishMove(window(), ComboBox1(), MoveFrom);
  if (pick_ended_move_) list_flags_.users_order = true;
}

// The selection goes with the entry. A move under way keeps to its source,
// which changes places with its neighbour like any other entry.
void TForm1::MoveSelectedByOne(int step) {
  ui::ListControl& list = CurrentList();
  const int from = list.Selected();
  const std::optional<OneStep> moved = MoveByOne(list.Count(), from, step, MoveFrom);
  if (!moved) return;
  list.Move(from, moved->to);
  list.Select(moved->to);
  list_flags_.users_order = true;
  if (Moving()) MoveFrom = moved->move_from;
}

void TForm1::Button4Click() {
  window().RequestClose();
}

void TForm1::Button5Click() {
  if (services_.dialogs.Confirm(text::kExitNoSaveQuestion) != ui::kResultYes) return;
  NoSave = true;
  window().RequestClose();
}

void TForm1::FormClose() {
  if (!NoSave) SaveHistory();
  SaveFormSettings();
}

std::vector<ListedEntry> TForm1::ListedEntries() {
  ui::ListControl& list = CurrentList();
  std::vector<ListedEntry> entries;
  for (int i = 0; i < list.Count(); ++i)
    entries.push_back(ListedEntryOf(list.Text(i), list.ItemData(i)));
  return entries;
}

void TForm1::SaveHistory() {
  // Every edit leaves an undo step: with none, the list is the history as it
  // was loaded, and reading it back through the control would only cost.
  if (!undo_.CanUndo() && !undo_.CanRedo()) return;
  HistoryStore(services_.registry).SaveOver(history_, ListedEntries(), list_flags_.users_order);
}

void TForm1::SaveFormSettings() {
  SaveWindowSettings(services_.settings_file, IniPath, {ListFlag, window().Top(), window().Left()});
}

// The system may end the process as soon as this returns, and a dialog now
// would keep the session waiting: each store is tried once and a failure is
// passed over. The backup this start made still holds the history as it was.
void TForm1::SaveAtSessionEnd() noexcept {
  if (!NoSave) {
    try {
      SaveHistory();
    } catch (...) {
    }
  }
  try {
    SaveFormSettings();
  } catch (...) {
  }
}

void TForm1::OnCloseRequest() {
  try {
    FormClose();
  } catch (const Error& error) {
    // The history is safe by now; a settings file that cannot be written,
    // or read, must not keep the user from leaving. A failed history write keeps the
    // window open instead, so the user can try again or leave without saving.
    if (error.kind() != ErrorKind::kSettingsWrite && error.kind() != ErrorKind::kSettingsRead)
      throw;
    ui::Report(error);
  }
  services_.end_application();
}

void TForm1::Button6Click() {
  // One reading of velm.ini serves the count and every preview until the
  // window opens again, so an edit made meanwhile by hand shows next time.
  Settings settings(services_.settings_file, IniPath);
  // A file that could not be read holds backups all the same: say so, not
  // that there are none.
  settings.ThrowIfUnreadable();
  int count = CountGenerations(settings.document());
  if (count == 0) {
    services_.dialogs.ErrorDialog(text::kNoGenerations);
    return;
  }
  open_restore_window_(count, settings.document());
  window().SetEnabled(false);
}

void TForm1::ReplaceEntries(const std::vector<std::string>& entries) {
  CancelDrag();
  Undoable([&] {
    ListBox1().Clear();
    ComboBox1().Clear();
    EndMove();  // its entry is gone
    // Entries of the user's, each exactly as the backup holds it.
    ui::ListControl& list = CurrentList();
    for (const std::string& entry : entries) list.Append(entry);
    list_flags_.users_order = true;
  });
}

void TForm1::EnableAgain() {
  window().SetEnabled(true);
}

// One command at a time. A dialog runs its own message loop, so a click
// posted before it came up (remote desktop lag, automation) arrives inside
// it; and while the restore window is open the main window is disabled,
// which a posted click does not respect either.
template <typename Command>
void TForm1::RunCommand(Command&& command) {
  if (command_running_ || !window().Enabled()) return;
  command_running_ = true;
  try {
    command();
  } catch (...) {
    command_running_ = false;
    throw;
  }
  command_running_ = false;
}

// Whatever the edit throws, what it changed can be undone.
template <typename Edit>
void TForm1::Undoable(Edit&& edit) {
  ListState before = Snapshot();
  auto record = [&] {
    if (!SameList(before, Snapshot())) undo_.Record(std::move(before));
  };
  try {
    edit();
  } catch (...) {
    record();
    throw;
  }
  record();
}

ListState TForm1::Snapshot() {
  ui::ListControl& list = CurrentList();
  ListState state;
  for (int i = 0; i < list.Count(); ++i) state.entries.push_back({list.Text(i), list.ItemData(i)});
  state.flags = list_flags_;
  state.selected = list.Selected();
  return state;
}

// The entries come back with their item data: one brought back untouched
// is again the value it was read from.
void TForm1::PutBack(const ListState& state) {
  EndMove();  // its source may be anywhere now
  ui::ListControl& list = CurrentList();
  list.Clear();
  for (const ListItem& entry : state.entries) {
    list.Append(entry.text);
    if (entry.data != 0) list.SetItemData(list.Count() - 1, entry.data);
  }
  list.Select(state.selected);
  list_flags_ = state.flags;
}

void TForm1::Undo() {
  if (std::optional<ListState> earlier = undo_.Undo(Snapshot())) PutBack(*earlier);
}

void TForm1::Redo() {
  if (std::optional<ListState> later = undo_.Redo(Snapshot())) PutBack(*later);
}

void TForm1::CopySelected() {
  const int index = CurrentList().Selected();
  if (index >= 0) services_.copy_to_clipboard(CurrentList().Text(index));
}

void TForm1::OnClick(int control_id) {
  pick_ended_move_ = false;
  RunCommand([&] {
    CancelDrag();
    // Only the buttons that edit the list record a step: each step reads the
    // whole list twice, through the control, which the close and the other
    // buttons need not pay.
    const bool edits = control_id == kChangeButton || control_id == kDeleteButton ||
                       control_id == kCreateButton || control_id == kClearButton;
    if (edits)
      Undoable([&] { RunButton(control_id); });
    else
      RunButton(control_id);
  });
}

void TForm1::RunButton(int control_id) {
  switch (control_id) {
    case kChangeButton:
      Button1Click();
      break;
    case kDeleteButton:
      Button2Click();
      break;
    case kSwitchViewButton:
      Button3Click();
      break;
    case kExitButton:
      Button4Click();
      break;
    case kExitNoSaveButton:
      Button5Click();
      break;
    case kRestoreOldButton:
      Button6Click();
      break;
    case kCreateButton:
      Button7Click();
      break;
    case kMoveButton:
      Button8Click();
      break;
    case kClearButton:
      Button9Click();
      break;
    default:
      break;
  }
}

void TForm1::OnListAction(int control_id, ui::ListAction action) {
  const bool after_move_pick = std::exchange(pick_ended_move_, false);
  if (control_id == kListView || control_id == kDropDownView)
    RunCommand([&] {
      CancelDrag();
      RunListAction(action, after_move_pick);
    });
}

std::vector<ui::MenuItem> TForm1::ListMenu(int control_id) {
  if (control_id != kListView && control_id != kDropDownView) return {};
  ui::ListControl& list = CurrentList();
  return ListMenuItems({list.Count(), list.Selected(), Moving(), undo_.CanUndo(), undo_.CanRedo()});
}

// These keys and the double click are additions to the buttons: in move mode
// a click is a pick, and they leave it at that.
void TForm1::RunListAction(ui::ListAction action, bool after_move_pick) {
  using enum ui::ListAction;
  switch (action) {
    case kUndo:
      Undo();
      return;
    case kRedo:
      Redo();
      return;
    case kCopy:
      CopySelected();
      return;
    case kDelete:
      Undoable([&] { Button2Click(); });
      return;
    case kMoveUp:
    case kMoveDown:
      Undoable([&] { MoveSelectedByOne(action == kMoveUp ? -1 : 1); });
      return;
    case kOpen:
    case kDoubleClick:
    case kCreate:
      if (Moving() || (action == kDoubleClick && after_move_pick)) return;
      Undoable([&] {
        if (action == kCreate)
          Button7Click();
        else
          Button1Click();
      });
      return;
  }
}

// Dragging is the list view's shortcut for 移動 and a pick; in move mode a
// click is already that pick.
bool TForm1::OnDragStart(int control_id, int index) {
  dragging_ =
      control_id == kListView && index >= 0 && !command_running_ && window().Enabled() && !Moving();
  return dragging_;
}

void TForm1::CancelDrag() {
  if (!std::exchange(dragging_, false)) return;
  view_.CancelDrag();
}

// The entry lands where a pick of the entry it was dropped on would put it,
// without the message, and stays selected.
void TForm1::OnDrop(int control_id, int from, int to) {
  pick_ended_move_ = false;
  if (control_id != kListView) return;
  RunCommand([&] {
    if (!std::exchange(dragging_, false)) return;  // a command ended it
    if (from == to || Moving() || to < 0 || to >= ListBox1().Count()) return;
    Undoable([&] {
      ListBox1().Move(from, to);
      ListBox1().Select(to);
      list_flags_.users_order = true;
    });
  });
}

// A pick that ends a move is the move's edit.
void TForm1::OnPick(int control_id) {
  RunCommand([&] {
    auto pick = [&] {
      if (control_id == kListView) ListBox1Click();
      if (control_id == kDropDownView) ComboBox1Click();
    };
    // Only a pick that ends a move changes the list.
    if (Moving())
      Undoable(pick);
    else
      pick();
  });
}

}  // namespace velm
