// TForm1 at start-up and in its two views.
#include "core/texts.h"
#include "forms_fixture.h"

namespace velm {
namespace {

using Entries = std::vector<std::string>;

TEST_F(FormsTest, FirstStartShowsTheTallListAtTheCorner) {
  SeedHistory({"http://a/", "", "http://c/"});
  Start();
  EXPECT_TRUE(reports.empty());
  EXPECT_TRUE(MainWindow().Visible());
  EXPECT_EQ(MainWindow().Caption(), text::kAppTitle);
  EXPECT_EQ(MainWindow().ClientHeight(), 386);
  EXPECT_EQ(MainWindow().Top(), 0);
  EXPECT_EQ(MainWindow().Left(), 0);
  EXPECT_TRUE(ListBox1().Visible());
  EXPECT_FALSE(ComboBox1().Visible());
  EXPECT_EQ(ListBoxEntries(), (Entries{"http://a/", "http://c/"}));  // the gap closed up
  EXPECT_EQ(ListBox1().Selected(), -1);
  EXPECT_TRUE(ComboEntries().empty());
  EXPECT_FALSE(RestoreWindow().Visible());
}

TEST_F(FormsTest, SavedDropDownViewOpensShortWithTheFirstEntryShown) {
  SetIni("FORM", "LSTFLAG", "0");
  SetIni("FORM", "TOP", "-500");
  SetIni("FORM", "LEFT", "30000");
  SeedHistory({"a", "b"});
  Start();
  EXPECT_EQ(MainWindow().ClientHeight(), 89);
  EXPECT_EQ(MainWindow().Top(), -500);  // applied unchanged, on screen or not
  EXPECT_EQ(MainWindow().Left(), 30000);
  EXPECT_TRUE(ComboBox1().Visible());
  EXPECT_FALSE(ListBox1().Visible());
  EXPECT_EQ(ComboEntries(), (Entries{"a", "b"}));
  EXPECT_EQ(ComboBox1().Selected(), 0);
  EXPECT_TRUE(ListBoxEntries().empty());
}

TEST_F(FormsTest, SavedDropDownViewWithoutHistoryKeyIsEmptyAndTakesNewEntries) {
  SetIni("FORM", "LSTFLAG", "0");
  registry.RemoveKey();
  Start();
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(MainWindow().ClientHeight(), 89);
  EXPECT_EQ(ComboBox1().Selected(), -1);
  dialogs.AnswerInput("http://new/");
  main_view.Click(kCreateButton);
  EXPECT_EQ(ComboEntries(), Entries{"http://new/"});
}

TEST_F(FormsTest, ViewSwitchCopiesTheEntriesAndSetsTheFixedHeights) {
  SeedHistory({"a", "b", "c"});
  Start();
  main_view.Pick(kListView, 2);
  main_view.Click(kSwitchViewButton);
  EXPECT_FALSE(ListBox1().Visible());
  EXPECT_TRUE(ComboBox1().Visible());
  EXPECT_EQ(ComboEntries(), (Entries{"a", "b", "c"}));
  EXPECT_EQ(ComboBox1().Selected(), 0);
  EXPECT_EQ(MainWindow().ClientHeight(), 99);

  main_view.Pick(kDropDownView, 1);
  dialogs.AnswerInput("B");
  main_view.Click(kChangeButton);  // edits land in the drop-down only
  main_view.Click(kSwitchViewButton);
  EXPECT_TRUE(ListBox1().Visible());
  EXPECT_FALSE(ComboBox1().Visible());
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "B", "c"}));
  EXPECT_EQ(ListBox1().Selected(), -1);  // no selection carried over
  EXPECT_EQ(MainWindow().ClientHeight(), 388);
  main_view.Click(kSwitchViewButton);  // the old copy in the drop-down is replaced
  EXPECT_EQ(ComboEntries(), (Entries{"a", "B", "c"}));
}

TEST_F(FormsTest, SwitchingFromTheSavedDropDownTwiceEndsAt124AndAnEmptyListSwitches) {
  SetIni("FORM", "LSTFLAG", "0");
  Start();
  main_view.Click(kSwitchViewButton);
  EXPECT_EQ(MainWindow().ClientHeight(), 388);
  EXPECT_EQ(ListBox1().Selected(), -1);
  main_view.Click(kSwitchViewButton);
  EXPECT_EQ(MainWindow().ClientHeight(), 99);
  EXPECT_TRUE(ComboEntries().empty());
  EXPECT_EQ(ComboBox1().Selected(), -1);
  EXPECT_TRUE(reports.empty());
}

TEST_F(FormsTest, LoadErrorIsReportedBeforeTheWindowAndTheSavedViewStillShows) {
  SetIni("FORM", "LSTFLAG", "0");
  SetIni("FORM", "TOP", "40");
  SeedHistory({"1", "2", "3", "4", "", "6"});
  registry.SetValue("url5", kRegDword, {1, 0, 0, 0});
  Start();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, FormatText(text::kHistoryTypeError, "url5"));
  EXPECT_FALSE(reports[0].main_window_visible);
  EXPECT_TRUE(MainWindow().Visible());
  EXPECT_EQ(ComboEntries(), (Entries{"1", "2", "3", "4", "6"}));
  EXPECT_TRUE(ComboBox1().Visible());
  EXPECT_EQ(ComboBox1().Selected(), 0);
  EXPECT_EQ(MainWindow().ClientHeight(), 89);
  EXPECT_EQ(MainWindow().Top(), 40);
}

TEST_F(FormsTest, UnwritableSettingsAtStartAreReportedOnceAndTheHistoryShown) {
  SeedHistory({"a", "b"});
  settings_file.RefuseWrites();
  Start();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].kind, ErrorKind::kSettingsWrite);
  EXPECT_EQ(ListBoxEntries(), (Entries{"a", "b"}));
  EXPECT_TRUE(ListBox1().Visible());
  EXPECT_TRUE(MainWindow().Visible());
}

}  // namespace
}  // namespace velm
