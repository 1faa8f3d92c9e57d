// TForm1's close paths: what is saved, what is not, and what a failing write
// does to the close.
#include "core/texts.h"
#include "forms_fixture.h"

namespace velm {
namespace {

using Entries = std::vector<std::string>;

Entries Padded(Entries values) {
  values.resize(kHistoryValues);
  return values;
}

Entries Numbered(int count) {
  Entries values;
  for (int i = 1; i <= count; ++i) values.push_back("http://h/" + std::to_string(i));
  return values;
}

TEST_F(FormsTest, ExitSavesTheListViewAndTheWindowSettings) {
  SeedHistory({"a", "b", "c"});
  Start();
  main_view.Pick(kListView, 0);
  main_view.Click(kDeleteButton);
  MainWindow().SetTop(-20);  // dragged partly off the screen
  MainWindow().SetLeft(-5);
  main_view.Click(kExitButton);
  EXPECT_EQ(HistoryTexts(), Padded({"b", "c"}));
  EXPECT_EQ(Ini("FORM", "LSTFLAG"), "1");
  EXPECT_EQ(Ini("FORM", "TOP"), "-20");
  EXPECT_EQ(Ini("FORM", "LEFT"), "-5");
  EXPECT_EQ(end_requests, 1);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(registry.open_keys(), 0);
}

TEST_F(FormsTest, CreateOnAFullHistoryIsRefusedAndTheCloseBoxSavesTheDropDown) {
  SeedHistory(Numbered(25));
  Start();
  main_view.Click(kSwitchViewButton);
  dialogs.AnswerInput("extra");
  main_view.Click(kCreateButton);
  ASSERT_EQ(dialogs.shown().size(), 1u) << "no input box";
  EXPECT_EQ(dialogs.shown()[0].text, text::kHistoryFull);
  main_view.Pick(kDropDownView, 0);
  main_view.Click(kDeleteButton);  // only in the drop-down; ListBox1 keeps its copy
  main_view.Click(kCreateButton);
  EXPECT_TRUE(main_view.UserClose());
  Entries expected = Numbered(25);
  expected.erase(expected.begin());
  expected.push_back("extra");
  EXPECT_EQ(HistoryTexts(), expected);
  EXPECT_EQ(Ini("FORM", "LSTFLAG"), "0");
  EXPECT_EQ(end_requests, 1);
}

TEST_F(FormsTest, ClosingWithAnEmptyListRemovesTheWholeHistory) {
  SeedHistory({"a", "b"});
  Start();
  main_view.Click(kClearButton);
  main_view.Click(kExitButton);
  EXPECT_EQ(HistoryTexts(), Padded({}));
}

TEST_F(FormsTest, ExitWithoutSavingAsksAndOnlyYesLeavesTheHistoryAlone) {
  SeedHistory({"a", "b"});
  SetIni("FORM", "TOP", "7");
  Start();
  main_view.Click(kClearButton);
  dialogs.AnswerConfirm(ui::kResultNo);
  main_view.Click(kExitNoSaveButton);
  main_view.Click(kExitNoSaveButton);  // closed by its close box: 2
  EXPECT_EQ(end_requests, 0);
  ASSERT_EQ(dialogs.shown().size(), 2u);
  EXPECT_EQ(dialogs.shown()[0].kind, ui::DialogKind::kConfirm);
  EXPECT_EQ(dialogs.shown()[0].text, text::kExitNoSaveQuestion);

  dialogs.AnswerConfirm(ui::kResultYes);
  MainWindow().SetLeft(9);
  main_view.Click(kExitNoSaveButton);
  EXPECT_EQ(HistoryTexts(), Padded({"a", "b"}));
  EXPECT_TRUE(registry.writes().empty());
  EXPECT_EQ(Ini("FORM", "LSTFLAG"), "1");
  EXPECT_EQ(Ini("FORM", "TOP"), "7");
  EXPECT_EQ(Ini("FORM", "LEFT"), "9");
  EXPECT_EQ(end_requests, 1);
}

// A value the load could not read is passed over, not kept: the close
// writes what the user saw, closed up, and nothing of the old history stays.
TEST_F(FormsTest, CloseWritesTheReadableValuesClosedUp) {
  Entries history = Numbered(25);
  SeedHistory(history);
  registry.SetValue("url5", kRegDword, {1, 0, 0, 0});
  Start();
  ASSERT_EQ(reports.size(), 1u);
  main_view.Pick(kListView, 0);
  dialogs.AnswerInput("new1");
  main_view.Click(kChangeButton);
  main_view.Click(kExitButton);
  history[0] = "new1";
  history.erase(history.begin() + 4);
  history.push_back("");
  EXPECT_EQ(HistoryTexts(), history);
  EXPECT_EQ(end_requests, 1);
}

// Each store of a log-off stands alone: a refused history must not cost the
// view and the position.
TEST_F(FormsTest, LogOffWithAFailingHistoryWriteStillStoresTheView) {
  SeedHistory({"a"});
  Start();
  registry.FailWriteAt("url1");
  main_view.Click(kSwitchViewButton);
  MainWindow().SetTop(33);
  form1->SaveAtSessionEnd();
  EXPECT_TRUE(dialogs.shown().empty());
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(Ini("FORM", "LSTFLAG"), "0");
  EXPECT_EQ(Ini("FORM", "TOP"), "33");
}

TEST_F(FormsTest, UnwritableSettingsCostTheBackupButTheHistoryIsSavedAsShown) {
  SeedHistory({"a", "b", "c"});
  settings_file.RefuseWrites();
  Start();
  dialogs.AnswerInput("d");
  main_view.Click(kCreateButton);
  main_view.Click(kExitButton);
  EXPECT_EQ(HistoryTexts(), Padded({"a", "b", "c", "d"}));
  EXPECT_EQ(ReportTexts().size(), 2u);  // start-up and close
  EXPECT_EQ(end_requests, 1);           // the close completes all the same
}

TEST_F(FormsTest, SettingsWriteFailureAtCloseIsReportedAndTheCloseCompletes) {
  SeedHistory({"a"});
  Start();
  dialogs.AnswerInput("b");
  main_view.Click(kCreateButton);
  settings_file.RefuseWrites();
  main_view.Click(kExitButton);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, FormatText(text::kSettingsWriteError, ini_path));
  EXPECT_EQ(HistoryTexts(), Padded({"a", "b"}));
  EXPECT_EQ(Ini("FORM", "LSTFLAG"), "");  // the three settings go in one replacement, or none
  EXPECT_EQ(end_requests, 1);
}

TEST_F(FormsTest, HistoryWriteFailureKeepsTheWindowOpenUntilLeftWithoutSaving) {
  SeedHistory({"a", "b", "c"});
  Start();
  dialogs.AnswerInput("d");
  main_view.Click(kCreateButton);
  registry.FailWriteAt("url2");
  main_view.Click(kExitButton);
  EXPECT_EQ(ReportTexts(), Entries{FormatText(text::kHistoryWriteError, "url2")});
  EXPECT_EQ(end_requests, 0);
  EXPECT_EQ(Ini("FORM", "LSTFLAG"), "");
  EXPECT_TRUE(MainWindow().Visible());
  EXPECT_EQ(registry.open_keys(), 0);

  dialogs.AnswerConfirm(ui::kResultYes);
  main_view.Click(kExitNoSaveButton);
  EXPECT_EQ(end_requests, 1);
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(Ini("FORM", "LSTFLAG"), "1");
}

// What each command leaves in the list (an entry's origin, its changed mark,
// the order the user's) reaches the close, through moves and view switches.
TEST(Closing, ReplaysEachEditOntoTheHistoryAsTheBrowserLeftIt) {
  const Entries cab = {"C", "A", "B"}, dcab = {"D", "C", "A", "B"}, dbca = {"D", "B", "C", "A"};
  const struct {
    const char* what;
    void (*edit)(FormsWorld&);
    Entries browser;  // the history when the window closes
    Entries saved;    // none: nothing written
  } cases[] = {
      {"a change given back as it was",
       [](FormsWorld& w) { w.dialogs.CancelInput(), w.Perform(1, kChangeButton); },
       cab,
       {}},
      {"a change after a view switch",
       [](FormsWorld& w) {
         w.main_view.Click(kSwitchViewButton);
         w.main_view.Pick(kDropDownView, 1);
         w.Perform(-1, kChangeButton, "B2");
         w.main_view.Click(kSwitchViewButton);
       },
       cab,
       {"C", "A", "B2"}},
      {"Ctrl+Down",
       [](FormsWorld& w) {
         w.main_view.Pick(kListView, 0);
         w.form1->OnListAction(kListView, ui::ListAction::kMoveDown);
       },
       dcab,
       {"D", "B", "A", "C"}},
      {"a drag",
       [](FormsWorld& w) { w.form1->OnDragStart(kListView, 0), w.form1->OnDrop(kListView, 0, 2); },
       dcab, dbca},
      {"a move", [](FormsWorld& w) { w.Perform(0, kMoveButton, nullptr, 2); }, dcab, dbca},
      {"a move in the drop-down view",
       [](FormsWorld& w) {
         w.main_view.Click(kSwitchViewButton);
         w.main_view.Pick(kDropDownView, 0);
         w.main_view.Click(kMoveButton);
         w.main_view.Pick(kDropDownView, 2);
       },
       dcab, dbca},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    FormsWorld w;
    w.SeedHistory({"A", "B", "C"});
    w.Start();
    t.edit(w);
    w.SeedHistory(t.browser);
    const std::size_t writes = w.registry.writes().size();
    w.main_view.Click(kExitButton);
    EXPECT_EQ(w.end_requests, 1);
    if (t.saved.empty()) {
      EXPECT_EQ(w.registry.writes().size(), writes);
      EXPECT_EQ(w.HistoryTexts(), Padded(t.browser));
    } else {
      EXPECT_EQ(w.HistoryTexts(), Padded(t.saved));
    }
  }
}

TEST_F(FormsTest, RestoredEntriesAreSavedAsTheBackupHoldsThem) {
  registry.SetString("url1", "http://x/\xC3\xA9");
  Start();
  main_view.Click(kRestoreOldButton);
  restore_view.Pick(kGenerationList, 0);
  restore_view.Click(kRestoreButton);
  main_view.Click(kExitButton);
  EXPECT_EQ(registry.Units("url1"), u"http://x/\u00E9");
}

}  // namespace
}  // namespace velm
