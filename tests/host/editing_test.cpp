// TForm1's editing commands and the move mode held in the caption.
#include <functional>

#include "core/ansi_text.h"
#include "core/texts.h"
#include "forms/list_menu.h"
#include "forms/move_by_one.h"
#include "forms/restore_window.h"
#include "forms_fixture.h"

namespace velm {
namespace {

using Entries = std::vector<std::string>;
using ui::DialogKind;

class EditingTest : public FormsTest {
 protected:
  void StartWith(const Entries& entries) {
    SeedHistory(entries);
    Start();
  }
  bool Moving() { return MainWindow().Caption() == text::kMovingCaption; }
};

TEST_F(EditingTest, CommandsThatNeedASelectionDoNothingWithoutOne) {
  StartWith({"a", "b"});
  for (int button : {kChangeButton, kDeleteButton, kMoveButton}) main_view.Click(button);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "b"}));
  EXPECT_TRUE(dialogs.shown().empty());
  EXPECT_EQ(MainWindow().Caption(), text::kAppTitle);
}

TEST_F(EditingTest, ChangeReplacesInPlaceKeepsTheSelectionAndRefusesEmptyText) {
  StartWith({"a", "b", "c"});
  main_view.Pick(kListView, 1);
  dialogs.AnswerInput("  b2 ");  // taken as typed
  main_view.Click(kChangeButton);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, DialogKind::kInputBox);
  EXPECT_EQ(dialogs.shown()[0].caption,
            std::string("b").append(AnsiToUtf8(text::kChangeCaptionSuffix)));
  EXPECT_EQ(dialogs.shown()[0].prompt, text::kChangePrompt);
  EXPECT_EQ(dialogs.shown()[0].default_text, "b");
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "  b2 ", "c"}));
  EXPECT_EQ(ListBox1().Selected(), 1);

  main_view.Pick(kListView, 2);  // the last entry; then Cancel
  dialogs.CancelInput();
  main_view.Click(kChangeButton);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "  b2 ", "c"}));
  EXPECT_EQ(ListBox1().Selected(), 2);
  dialogs.AnswerInput("z");
  main_view.Click(kChangeButton);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "  b2 ", "z"}));
  EXPECT_EQ(ListBox1().Selected(), 2);

  dialogs.AnswerInput("");  // empty: the error, and nothing changes
  main_view.Click(kChangeButton);
  EXPECT_EQ(dialogs.shown().back().kind, DialogKind::kError);
  EXPECT_EQ(dialogs.shown().back().text, text::kChangeEmpty);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "  b2 ", "z"}));
  EXPECT_EQ(ListBox1().Selected(), 2);
}

TEST_F(EditingTest, CreateAppendsWhatIsTypedAndIgnoresCancelAndEmpty) {
  StartWith({"a"});
  main_view.Pick(kListView, 0);
  dialogs.CancelInput();
  dialogs.AnswerInput("");
  dialogs.AnswerInput("   ");
  for (int i = 0; i < 3; ++i) main_view.Click(kCreateButton);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "   "}));
  EXPECT_EQ(ListBox1().Selected(), 0);
  ASSERT_EQ(dialogs.shown().size(), 3u);  // three input boxes, no error dialog
  for (const ui::ShownDialog& shown : dialogs.shown()) {
    EXPECT_EQ(shown.kind, DialogKind::kInputBox);
    EXPECT_EQ(shown.caption, AnsiToUtf8(text::kCreateCaption));
    EXPECT_EQ(shown.prompt, text::kCreatePrompt);
    EXPECT_EQ(shown.default_text, "");
  }
}

TEST_F(EditingTest, DeleteAndClear) {
  StartWith({"a", "b"});
  main_view.Click(kSwitchViewButton);  // drop-down view: ListBox1 keeps an old copy
  main_view.Pick(kDropDownView, 1);
  main_view.Click(kDeleteButton);
  EXPECT_EQ(ComboEntries(), Entries{"a"});
  EXPECT_EQ(ListBoxEntries().size(), 2u);
  main_view.Click(kClearButton);
  EXPECT_TRUE(ComboEntries().empty());
  EXPECT_TRUE(ListBoxEntries().empty());  // Clear empties the hidden copy too
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(EditingTest, InsertErrorStopsTheCommandWhereItArose) {
  StartWith({"a", "b", "c"});
  ComboBox1().SetCapacity(2);
  main_view.Click(kSwitchViewButton);
  EXPECT_EQ(ReportTexts(), Entries{text::kInsertError});
  EXPECT_TRUE(ListBox1().Visible());  // the switch stopped before changing the view
  ListBox1().SetCapacity(3);
  dialogs.AnswerInput("d");
  main_view.Click(kCreateButton);
  EXPECT_EQ(reports.size(), 2u);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "b", "c"}));
}

// A, B, C, D: source 0 and pick 2 give B, C, A, D; source 3 and pick 1 give
// A, D, B, C.
TEST_F(EditingTest, MoveTakesTheSourceToThePickedPosition) {
  StartWith({"A", "B", "C", "D"});
  std::string caption_during_message;
  dialogs.on_show = [&](const ui::ShownDialog&) {
    caption_during_message = MainWindow().Caption();
  };
  main_view.Pick(kListView, 0);
  main_view.Click(kMoveButton);
  EXPECT_TRUE(Moving());
  EXPECT_EQ(caption_during_message, text::kMovingCaption);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, DialogKind::kMessage);
  EXPECT_EQ(dialogs.shown()[0].text, text::kMovePrompt);
  main_view.Pick(kListView, 2);
  EXPECT_EQ(ListBoxEntries(), (Entries{"B", "C", "A", "D"}));
  EXPECT_FALSE(Moving());
  EXPECT_TRUE(ListBox1().Redrawing());

  main_view.Pick(kListView, 3);
  main_view.Click(kMoveButton);
  main_view.Pick(kListView, 1);
  EXPECT_EQ(ListBoxEntries(), (Entries{"B", "D", "C", "A"}));

  main_view.Pick(kListView, 2);  // outside move mode a pick only selects
  EXPECT_EQ(ListBoxEntries(), (Entries{"B", "D", "C", "A"}));
  EXPECT_EQ(ListBox1().Selected(), 2);
  EXPECT_TRUE(reports.empty());
}

TEST_F(EditingTest, MoveAgainOrPickingTheSourceEndsTheModeWithoutMoving) {
  StartWith({"A", "B", "C"});
  main_view.Pick(kListView, 1);
  main_view.Click(kMoveButton);
  main_view.Click(kMoveButton);
  EXPECT_FALSE(Moving());
  EXPECT_EQ(dialogs.shown().size(), 1u);  // no second message
  main_view.Click(kMoveButton);
  main_view.Pick(kListView, 1);
  EXPECT_FALSE(Moving());
  EXPECT_EQ(ListBoxEntries(), (Entries{"A", "B", "C"}));
}

// The move keeps to the entry it took: it ends when that entry goes (Delete,
// Clear; a restore, see the restore window's tests) and follows it when an
// entry before it goes.
TEST_F(EditingTest, MoveEndsWithItsEntryAndFollowsItOtherwise) {
  StartWith({"A", "B", "C", "D"});
  main_view.Pick(kListView, 2);
  main_view.Click(kMoveButton);
  main_view.Click(kSwitchViewButton);  // selects the drop-down's first entry
  main_view.Click(kDeleteButton);
  ComboBox1().Select(-1);  // a notification with nothing selected names no target
  form1->ComboBox1Click();
  EXPECT_TRUE(Moving());
  main_view.Pick(kDropDownView, 2);
  EXPECT_EQ(ComboEntries(), (Entries{"B", "D", "C"}));

  main_view.Pick(kDropDownView, 0);
  main_view.Click(kMoveButton);
  main_view.Click(kDeleteButton);
  EXPECT_FALSE(Moving());
  main_view.Pick(kDropDownView, 1);  // only selects
  EXPECT_EQ(ComboEntries(), (Entries{"D", "C"}));

  main_view.Click(kMoveButton);
  main_view.Click(kClearButton);
  EXPECT_FALSE(Moving());
  EXPECT_TRUE(reports.empty());
}

TEST_F(EditingTest, DelInAListIsDelete) {
  StartWith({"a", "b", "c"});
  main_view.Pick(kListView, 1);
  form1->OnListAction(kChangeButton, ui::ListAction::kDelete);  // not a list
  main_view.Click(kMoveButton);
  form1->OnListAction(kListView, ui::ListAction::kDelete);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "c"}));
  EXPECT_FALSE(Moving()) << "its entry went";
  form1->OnListAction(kListView, ui::ListAction::kDelete);  // nothing selected now
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "c"}));
}

// Clicks posted before a dialog came up arrive inside its loop; the restore
// window disables the main window, which posted clicks pass by.
TEST_F(EditingTest, CommandsDoNotReEnter) {
  StartWith(Entries(24, "u"));
  main_view.Pick(kListView, 0);
  dialogs.on_show = [&](const ui::ShownDialog&) {
    dialogs.on_show = nullptr;
    for (int button : {kCreateButton, kMoveButton, kChangeButton, kDeleteButton})
      main_view.Click(button);
    ListBox1().Append("filled meanwhile");
  };
  dialogs.AnswerInput("new");
  main_view.Click(kCreateButton);
  ASSERT_EQ(dialogs.shown().size(), 2u);  // the box, then the limit asked again
  EXPECT_EQ(dialogs.shown()[1].text, text::kHistoryFull);
  EXPECT_EQ(ListBoxEntries().size(), 25u);
  EXPECT_FALSE(Moving());

  main_view.Click(kRestoreOldButton);
  ASSERT_TRUE(RestoreWindow().Visible());
  form1->OnClick(kClearButton);
  EXPECT_EQ(ListBoxEntries().size(), 25u);
}

TEST(MoveByOne, ChangesPlacesWithTheNeighbourAndTheMoveSourceKeepsToItsEntry) {
  EXPECT_FALSE(MoveByOne(3, 0, -1, 0)) << "top";
  EXPECT_FALSE(MoveByOne(3, 2, +1, 0)) << "bottom";
  EXPECT_FALSE(MoveByOne(3, -1, +1, 0)) << "no selection";
  EXPECT_EQ(MoveByOne(3, 1, -1, 2), (OneStep{0, 2})) << "another entry's move";
  EXPECT_EQ(MoveByOne(3, 1, +1, 1), (OneStep{2, 2})) << "the source moved";
  EXPECT_EQ(MoveByOne(3, 1, +1, 2), (OneStep{2, 1})) << "the source was the neighbour";
}

// In move mode a click is a pick: the keys that open an entry and a drag do
// nothing, also the second click of a double click whose first ended the
// move; Ctrl+Up and Ctrl+Down take the source along.
TEST_F(EditingTest, InMoveModeAClickIsAPickAndTheSourceMovesWithItsEntry) {
  using enum ui::ListAction;
  StartWith({"A", "B", "C", "D"});
  main_view.Pick(kListView, 2);
  main_view.Click(kMoveButton);
  form1->OnListAction(kListView, kMoveUp);
  form1->OnListAction(kListView, kMoveUp);
  EXPECT_EQ(ListBox1().Selected(), 0);
  EXPECT_FALSE(form1->OnDragStart(kListView, 1));
  for (ui::ListAction open : {kOpen, kDoubleClick, kCreate}) form1->OnListAction(kListView, open);
  main_view.Pick(kListView, 3);
  form1->OnListAction(kListView, kDoubleClick);
  EXPECT_EQ(dialogs.shown().size(), 1u) << "only 移動's message";
  EXPECT_EQ(ListBoxEntries(), (Entries{"A", "B", "D", "C"}));
  ASSERT_TRUE(form1->OnDragStart(kListView, 0));
  form1->OnDrop(kListView, 0, 2);
  EXPECT_EQ(ListBoxEntries(), (Entries{"B", "D", "A", "C"}));
  form1->OnDrop(kListView, 0, 2);  // no drag under way: a late notification
  EXPECT_EQ(ListBoxEntries(), (Entries{"B", "D", "A", "C"}));
}

TEST_F(EditingTest, MoveGoesOnAcrossAViewSwitch) {
  StartWith({"A", "B", "C"});
  main_view.Pick(kListView, 2);
  main_view.Click(kMoveButton);
  main_view.Click(kSwitchViewButton);
  EXPECT_TRUE(Moving());
  main_view.Pick(kDropDownView, 0);
  EXPECT_EQ(ComboEntries(), (Entries{"C", "A", "B"}));
  EXPECT_FALSE(Moving());
}

// Undo and redo: each command one step, undone to the list as loaded, each
// entry with the item data it was loaded with, and redone to what the
// command made.
struct UndoCase {
  const char* command;
  std::function<void(FormsWorld&)> run;  // on A, B, C as loaded
  Entries after;
};

void RestoreNewestBackup(FormsWorld& w) {
  w.main_view.Click(kRestoreOldButton);
  w.restore_view.Pick(kGenerationList, 1);  // the history as this start found it
  w.restore_view.Click(kRestoreButton);
}

const UndoCase kUndoCases[] = {
    {"変更", [](FormsWorld& w) { w.Perform(1, kChangeButton, "X"); }, {"A", "X", "C"}},
    {"削除", [](FormsWorld& w) { w.Perform(1, kDeleteButton); }, {"A", "C"}},
    {"作成", [](FormsWorld& w) { w.Perform(-1, kCreateButton, "D"); }, {"A", "B", "C", "D"}},
    {"移動", [](FormsWorld& w) { w.Perform(0, kMoveButton, nullptr, 2); }, {"B", "C", "A"}},
    {"drag",
     [](FormsWorld& w) {
       w.form1->OnDragStart(kListView, 2);
       w.form1->OnDrop(kListView, 2, 0);
     },
     {"C", "A", "B"}},
    {"Ctrl+Up",
     [](FormsWorld& w) { w.form1->OnListAction(kListView, ui::ListAction::kMoveUp); },
     {"B", "A", "C"}},  // B selected first
    {"クリア", [](FormsWorld& w) { w.Perform(-1, kClearButton); }, {}},
    {"復旧", RestoreNewestBackup, {"old"}},
};

class UndoTest : public FormsTest, public ::testing::WithParamInterface<UndoCase> {
 protected:
  void StartWithABC() {
    SetIni("OldUrl1", "url1", "old");
    SeedHistory({"A", "B", "C"});
    Start();
    ListBox1().Select(1);
  }
  void Press(ui::ListAction action) { form1->OnListAction(kListView, action); }
  bool CanUndo() { return form1->ListMenu(kListView)[0].enabled; }
  std::vector<std::uintptr_t> ItemData() {
    std::vector<std::uintptr_t> data;
    for (int i = 0; i < ListBox1().Count(); ++i) data.push_back(ListBox1().ItemData(i));
    return data;
  }
};

TEST_P(UndoTest, EachCommandIsOneStepUndoneWithItsItemDataAndRedone) {
  using enum ui::ListAction;
  StartWithABC();
  EXPECT_FALSE(CanUndo()) << "nothing to undo at the start";
  GetParam().run(*this);
  ASSERT_EQ(ListBoxEntries(), GetParam().after);
  Press(kUndo);
  EXPECT_EQ(ListBoxEntries(), (Entries{"A", "B", "C"}));
  EXPECT_EQ(ItemData(), (std::vector<std::uintptr_t>{1, 2, 3})) << "the values as loaded";
  EXPECT_FALSE(CanUndo()) << "one step per command";
  Press(kRedo);
  EXPECT_EQ(ListBoxEntries(), GetParam().after);
  Press(kRedo);
  EXPECT_EQ(ListBoxEntries(), GetParam().after) << "nothing more to redo";
  Press(kUndo);
  EXPECT_EQ(ListBoxEntries(), (Entries{"A", "B", "C"}));
  EXPECT_TRUE(reports.empty());
}

void PrintTo(const UndoCase& undo_case, std::ostream* out) {
  *out << undo_case.command;
}
INSTANTIATE_TEST_SUITE_P(Commands, UndoTest, ::testing::ValuesIn(kUndoCases));

TEST_F(UndoTest, UndoGoesBackAnyNumberOfStepsAndANewEditDropsTheRedoSteps) {
  using enum ui::ListAction;
  StartWithABC();
  for (int i = 0; i < 2; ++i) Perform(0, kDeleteButton);
  main_view.Click(kSwitchViewButton);  // no edit: the drop-down view takes the steps on
  ASSERT_EQ(ComboEntries(), Entries{"C"});
  Press(kCopy);  // no edit either
  EXPECT_EQ(copied, Entries{"C"});
  Press(kUndo);
  EXPECT_EQ(ComboEntries(), (Entries{"B", "C"}));
  Press(kUndo);
  Press(kUndo);  // past the start: nothing
  EXPECT_EQ(ComboEntries(), (Entries{"A", "B", "C"}));
  Press(kRedo);
  EXPECT_EQ(ComboEntries(), (Entries{"B", "C"}));
  Perform(-1, kCreateButton, "D");
  Press(kRedo);  // the create dropped the delete of B
  EXPECT_EQ(ComboEntries(), (Entries{"B", "C", "D"}));
  Press(kUndo);
  Press(kUndo);
  EXPECT_EQ(ComboEntries(), (Entries{"A", "B", "C"}));

  // An undo or a redo during a move ends the move first.
  main_view.Pick(kDropDownView, 2);
  main_view.Click(kMoveButton);
  Press(kRedo);
  EXPECT_EQ(MainWindow().Caption(), text::kAppTitle);
  EXPECT_EQ(ComboEntries(), (Entries{"B", "C"}));
}

// The browser removed B while the list was open: an untouched B goes with
// it at the close, one the user wrote stays. A 変更 undone leaves B untouched.
TEST_F(UndoTest, AnUndoneChangeLeavesTheEntryAsLoadedForTheClose) {
  StartWithABC();
  Perform(1, kChangeButton, "X");
  Press(ui::ListAction::kUndo);
  Perform(-1, kCreateButton, "N");
  registry.RemoveKey();
  SeedHistory({"A", "C"});
  main_view.Click(kExitButton);
  Entries saved{"A", "C", "N"};
  saved.resize(kHistoryValues);
  EXPECT_EQ(HistoryTexts(), saved);
}

// Which of the menu's items can act (their lines in order: the toolkit's
// test): by selection, its place, the count, the move mode and the undo
// history.
TEST(ListMenu, WhichItemsCanActInEachState) {
  struct Row {
    const char* state;
    ListMenuState menu;
    std::string enabled;  // undo redo change delete create up down copy, as 1 or 0
  };
  const Row rows[] = {
      {"a middle entry", {3, 1, false, true, false}, "10111111"},
      {"no selection", {3, -1, false, false, true}, "01001000"},
      {"the top entry", {3, 0, false, false, false}, "00111011"},
      {"the bottom entry", {3, 2, false, false, false}, "00111101"},
      {"the only entry", {1, 0, false, false, false}, "00111001"},
      {"25 entries", {25, 4, false, false, false}, "00110111"},
      {"move mode", {3, 1, true, true, true}, "11010111"},
      {"an empty list", {0, -1, false, false, false}, "00001000"},
  };
  for (const Row& row : rows) {
    std::string enabled;
    for (const ui::MenuItem& item : ListMenuItems(row.menu))
      if (item.text) enabled += item.enabled ? '1' : '0';
    EXPECT_EQ(enabled, row.enabled) << row.state;
  }
}

}  // namespace
}  // namespace velm
