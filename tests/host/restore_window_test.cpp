// TForm2: listing, previewing and restoring backup generations.
#include "core/ansi_text.h"
#include "core/texts.h"
#include "forms_fixture.h"

namespace velm {
namespace {

using Entries = std::vector<std::string>;

class RestoreTest : public FormsTest {
 protected:
  // Generations are written at start-up only, so they are seeded after it.
  void StartWithGenerations() {
    SeedHistory({"now1", "now2"});
    Start();
    SetIni("OldUrl1", "url1", "g1-a");
    SetIni("OldUrl1", "url3", "g1-c");
    file_profile.Delete(ini_path, "OldUrl1", "url2");  // the start-up wrote "now2" there
    SetIni("OldUrl2", "url2", "g2-b");  // no url1: holds no data, counted all the same
    SetIni("OldUrl3", "url1", "g3-a");
    SetIni("OldUrl6", "url1", "never offered");
  }
  ui::HeadlessList& Generations() { return restore_view.HeadlessListAt(kGenerationList); }
  Entries Preview() { return restore_view.HeadlessListAt(kPreviewList).Entries(); }
  std::string Label() { return restore_view.LabelControl(kRestoreHeading).Text(); }
};

// A velm.ini that cannot be read still holds its backups: the start and
// 旧データの復旧 say it cannot be read, not that it cannot be written or holds none.
TEST_F(RestoreTest, AVelmIniThatCannotBeReadIsSaidToBeSo) {
  std::filesystem::create_directory(ini_path);
  SeedHistory({"a"});
  Start();
  main_view.Click(kRestoreOldButton);
  const std::string unreadable = FormatText(text::kSettingsReadError, ini_path);
  EXPECT_EQ(ReportTexts(), (Entries{unreadable, unreadable}));
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RestoreTest, NoGenerationShowsTheErrorAndKeepsTheWindowClosed) {
  Start();
  SetIni("OldUrl6", "url1", "x");
  main_view.Click(kRestoreOldButton);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, ui::DialogKind::kError);
  EXPECT_EQ(dialogs.shown()[0].text, text::kNoGenerations);
  EXPECT_FALSE(RestoreWindow().Visible());
  EXPECT_TRUE(MainWindow().Enabled());
}

TEST_F(RestoreTest, OpeningCountsUpToTheHighestGenerationAndDisablesTheMainWindow) {
  StartWithGenerations();
  main_view.Click(kRestoreOldButton);
  EXPECT_EQ(Label(), std::string(text::kRestoreLabelHead) + "3" + text::kRestoreLabelTail);
  const std::string item = AnsiToUtf8(text::kGenerationItem);
  EXPECT_EQ(Generations().Entries(), (Entries{item + "1", item + "2", item + "3"}));
  EXPECT_EQ(Generations().Selected(), -1);
  EXPECT_TRUE(Preview().empty());
  EXPECT_TRUE(RestoreWindow().Visible());
  EXPECT_FALSE(MainWindow().Enabled());
  EXPECT_FALSE(main_view.Click(kClearButton));  // the main window takes no input
  EXPECT_EQ(ListBoxEntries().size(), 2u);

  SetIni("OldUrl5", "url1", "g5");
  restore_view.UserClose();
  main_view.Click(kRestoreOldButton);  // the label is rebuilt at every opening
  EXPECT_EQ(Label(), std::string(text::kRestoreLabelHead) + "5" + text::kRestoreLabelTail);
  EXPECT_EQ(Generations().Count(), 5);
}

TEST_F(RestoreTest, PreviewShowsTheGenerationClosedUp) {
  StartWithGenerations();
  main_view.Click(kRestoreOldButton);
  restore_view.Pick(kGenerationList, 0);
  EXPECT_EQ(Preview(), (Entries{"g1-a", "g1-c"}));
  restore_view.Pick(kGenerationList, 1);
  EXPECT_EQ(Preview(), Entries{"g2-b"});

  // velm.ini is read once per opening: an edit by hand shows at the next.
  SetIni("OldUrl2", "url3", "edited");
  restore_view.Pick(kGenerationList, 1);
  EXPECT_EQ(Preview(), Entries{"g2-b"});
  restore_view.UserClose();
  main_view.Click(kRestoreOldButton);
  restore_view.Pick(kGenerationList, 1);
  EXPECT_EQ(Preview(), (Entries{"g2-b", "edited"}));
}

TEST_F(RestoreTest, RestoreReplacesTheVisibleListAndEmptiesTheOther) {
  StartWithGenerations();
  main_view.Click(kSwitchViewButton);  // drop-down view; ListBox1 holds an old copy
  main_view.Click(kRestoreOldButton);
  restore_view.Pick(kGenerationList, 0);
  restore_view.Click(kRestoreButton);
  EXPECT_EQ(ComboEntries(), (Entries{"g1-a", "g1-c"}));
  EXPECT_EQ(ComboBox1().Selected(), -1);
  EXPECT_TRUE(ListBoxEntries().empty());
  EXPECT_TRUE(MainWindow().Enabled());
  EXPECT_FALSE(RestoreWindow().Visible());

  main_view.Click(kSwitchViewButton);  // list view: the restore goes to ListBox1
  main_view.Click(kRestoreOldButton);
  restore_view.Pick(kGenerationList, 2);
  restore_view.Click(kRestoreButton);
  EXPECT_EQ(ListBoxEntries(), Entries{"g3-a"});
  EXPECT_TRUE(ComboEntries().empty());
}

TEST_F(RestoreTest, BackAndTheCloseBoxLeaveTheEntriesAndKeepThePreview) {
  StartWithGenerations();
  main_view.Pick(kListView, 1);
  main_view.Click(kMoveButton);  // a pending move survives Back, not a restore
  main_view.Click(kRestoreOldButton);
  restore_view.Pick(kGenerationList, 1);
  restore_view.Click(kBackButton);
  EXPECT_TRUE(MainWindow().Enabled());
  EXPECT_FALSE(RestoreWindow().Visible());
  // Clicks and picks that reach the hidden window (posted, late) do nothing.
  Generations().Select(0);
  form2->OnPick(kGenerationList);
  form2->OnClick(kRestoreButton);
  EXPECT_EQ(ListBoxEntries(), (Entries{"now1", "now2"}));

  main_view.Click(kRestoreOldButton);
  EXPECT_EQ(Generations().Selected(), -1);
  EXPECT_EQ(Preview(), Entries{"g2-b"});
  EXPECT_TRUE(restore_view.UserClose());
  EXPECT_TRUE(MainWindow().Enabled());
  EXPECT_FALSE(RestoreWindow().Visible());
  EXPECT_EQ(ListBoxEntries(), (Entries{"now1", "now2"}));
  EXPECT_EQ(MainWindow().Caption(), text::kMovingCaption);

  main_view.Click(kRestoreOldButton);  // Restore with no selection restores the kept preview
  restore_view.Click(kRestoreButton);
  EXPECT_EQ(ListBoxEntries(), Entries{"g2-b"});
  EXPECT_EQ(MainWindow().Caption(), text::kAppTitle);
  EXPECT_TRUE(reports.empty());
}

TEST_F(RestoreTest, TaskbarCloseWhileOpenSavesTheMainWindowsEntries) {
  StartWithGenerations();
  main_view.Click(kRestoreOldButton);
  restore_view.Pick(kGenerationList, 0);  // previewed, not restored
  MainWindow().RequestClose();
  EXPECT_EQ(registry.Text("url1"), "now1");
  EXPECT_EQ(registry.Text("url3"), std::nullopt);
  EXPECT_EQ(end_requests, 1);
}

TEST_F(RestoreTest, RestoreOfAnEmptyPreviewEmptiesTheEntryList) {
  StartWithGenerations();
  main_view.Click(kRestoreOldButton);
  restore_view.Click(kRestoreButton);
  EXPECT_TRUE(ListBoxEntries().empty());
}

}  // namespace
}  // namespace velm
