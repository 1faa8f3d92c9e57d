// TForm2: listing, previewing and restoring backup generations.
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
  ui::HeadlessList& Generations() { return restore_view.HeadlessListAt(kForm2ListBox1); }
  Entries Preview() { return restore_view.HeadlessListAt(kForm2ListBox2).Entries(); }
  std::string Label() { return restore_view.LabelControl(kForm2Label1).Text(); }
};

TEST_F(RestoreTest, NoGenerationShowsTheErrorAndKeepsTheWindowClosed) {
  Start();
  SetIni("OldUrl6", "url1", "x");
  main_view.Click(kForm1Button6);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, ui::DialogKind::kError);
  EXPECT_EQ(dialogs.shown()[0].text, text::kNoGenerations);
  EXPECT_FALSE(RestoreWindow().Visible());
  EXPECT_TRUE(MainWindow().Enabled());
}

TEST_F(RestoreTest, OpeningCountsUpToTheHighestGenerationAndDisablesTheMainWindow) {
  StartWithGenerations();
  main_view.Click(kForm1Button6);
  EXPECT_EQ(Label(), std::string(text::kRestoreLabelHead) + "3" + text::kRestoreLabelTail);
  EXPECT_EQ(Generations().Entries(), (Entries{std::string(text::kGenerationItem) + "1",
                                              std::string(text::kGenerationItem) + "2",
                                              std::string(text::kGenerationItem) + "3"}));
  EXPECT_EQ(Generations().Selected(), -1);
  EXPECT_TRUE(Preview().empty());
  EXPECT_TRUE(RestoreWindow().Visible());
  EXPECT_FALSE(MainWindow().Enabled());
  EXPECT_FALSE(main_view.Click(kForm1Button9));  // the main window takes no input
  EXPECT_EQ(ListBoxEntries().size(), 2u);

  SetIni("OldUrl5", "url1", "g5");
  restore_view.UserClose();
  main_view.Click(kForm1Button6);  // the label is rebuilt at every opening
  EXPECT_EQ(Label(), std::string(text::kRestoreLabelHead) + "5" + text::kRestoreLabelTail);
  EXPECT_EQ(Generations().Count(), 5);
}

TEST_F(RestoreTest, PreviewShowsTheGenerationClosedUp) {
  StartWithGenerations();
  main_view.Click(kForm1Button6);
  restore_view.Pick(kForm2ListBox1, 0);
  EXPECT_EQ(Preview(), (Entries{"g1-a", "g1-c"}));
  restore_view.Pick(kForm2ListBox1, 1);
  EXPECT_EQ(Preview(), Entries{"g2-b"});

  // velm.ini is read once per opening: an edit by hand shows at the next.
  SetIni("OldUrl2", "url3", "edited");
  restore_view.Pick(kForm2ListBox1, 1);
  EXPECT_EQ(Preview(), Entries{"g2-b"});
  restore_view.UserClose();
  main_view.Click(kForm1Button6);
  restore_view.Pick(kForm2ListBox1, 1);
  EXPECT_EQ(Preview(), (Entries{"g2-b", "edited"}));
}

TEST_F(RestoreTest, RestoreReplacesTheVisibleListAndEmptiesTheOther) {
  StartWithGenerations();
  main_view.Click(kForm1Button3);  // drop-down view; ListBox1 holds an old copy
  main_view.Click(kForm1Button6);
  restore_view.Pick(kForm2ListBox1, 0);
  restore_view.Click(kForm2Button1);
  EXPECT_EQ(ComboEntries(), (Entries{"g1-a", "g1-c"}));
  EXPECT_EQ(ComboBox1().Selected(), -1);
  EXPECT_TRUE(ListBoxEntries().empty());
  EXPECT_TRUE(MainWindow().Enabled());
  EXPECT_FALSE(RestoreWindow().Visible());

  main_view.Click(kForm1Button3);  // list view: the restore goes to ListBox1
  main_view.Click(kForm1Button6);
  restore_view.Pick(kForm2ListBox1, 2);
  restore_view.Click(kForm2Button1);
  EXPECT_EQ(ListBoxEntries(), Entries{"g3-a"});
  EXPECT_TRUE(ComboEntries().empty());
}

TEST_F(RestoreTest, BackAndTheCloseBoxLeaveTheEntriesAndKeepThePreview) {
  StartWithGenerations();
  main_view.Pick(kForm1ListBox1, 1);
  main_view.Click(kForm1Button8);  // a pending move survives the restore window
  main_view.Click(kForm1Button6);
  restore_view.Pick(kForm2ListBox1, 1);
  restore_view.Click(kForm2Button2);
  EXPECT_TRUE(MainWindow().Enabled());
  EXPECT_FALSE(RestoreWindow().Visible());
  EXPECT_EQ(ListBoxEntries(), (Entries{"now1", "now2"}));

  main_view.Click(kForm1Button6);
  EXPECT_EQ(Generations().Selected(), -1);
  EXPECT_EQ(Preview(), Entries{"g2-b"});
  EXPECT_TRUE(restore_view.UserClose());
  EXPECT_TRUE(MainWindow().Enabled());
  EXPECT_FALSE(RestoreWindow().Visible());
  EXPECT_EQ(ListBoxEntries(), (Entries{"now1", "now2"}));

  main_view.Click(kForm1Button6);  // Restore with no selection restores the kept preview
  restore_view.Click(kForm2Button1);
  EXPECT_EQ(ListBoxEntries(), Entries{"g2-b"});
  EXPECT_EQ(MainWindow().Caption(), text::kMovingCaption);
  EXPECT_TRUE(reports.empty());
}

TEST_F(RestoreTest, TaskbarCloseWhileOpenSavesTheMainWindowsEntries) {
  StartWithGenerations();
  main_view.Click(kForm1Button6);
  restore_view.Pick(kForm2ListBox1, 0);  // previewed, not restored
  MainWindow().RequestClose();
  EXPECT_EQ(registry.Text("url1"), "now1");
  EXPECT_EQ(registry.Text("url3"), std::nullopt);
  EXPECT_EQ(end_requests, 1);
}

TEST_F(RestoreTest, RestoreOfAnEmptyPreviewEmptiesTheEntryList) {
  StartWithGenerations();
  main_view.Click(kForm1Button6);
  restore_view.Click(kForm2Button1);
  EXPECT_TRUE(ListBoxEntries().empty());
}

}  // namespace
}  // namespace velm
