// The restore window end to end: which generations it offers, what it
// previews, and what a restore leaves in the main window and, after the
// close, in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/texts.h"
#include "driver/control_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "driver/window_search.h"
#include "velm_test.h"

namespace e2e {
namespace {

namespace text = velm::text;

using Entries_ = std::vector<std::string>;
using Values = std::map<int, std::string>;

std::string GenerationItem(int k) {
  return text::kGenerationItem + std::to_string(k);
}

std::string LabelFor(int count) {
  return text::kRestoreLabelHead + std::to_string(count) + text::kRestoreLabelTail;
}

using RestoreWindowTest = VelmTest;

TEST_F(RestoreWindowTest, OffersUpToTheHighestGenerationWithDataAndPreviewsWithGapsClosed) {
  // History without url1: the new OldUrl1 holds data but no url1.
  ASSERT_TRUE(ResetHistoryKey());
  ASSERT_TRUE(SetHistoryString("url2", "http://h2/"));
  ASSERT_TRUE(SetHistoryString("url4", "http://h4/"));
  // OldUrl1 moves to OldUrl2, OldUrl2 (a value, if not url1) to OldUrl3;
  // OldUrl6 is beyond what is ever offered.
  ASSERT_TRUE(
      WriteIni("[OldUrl1]\r\nurl1=http://x1/\r\nurl3=http://x3/\r\n"
               "[OldUrl2]\r\nurl5=http://stale/\r\n"
               "[OldUrl6]\r\nurl1=http://six/\r\n"));
  ASSERT_TRUE(Start());
  ASSERT_EQ(Generation(IniPath(), 1), (Values{{2, "http://h2/"}, {4, "http://h4/"}}));
  ASSERT_EQ(Generation(IniPath(), 2), (Values{{1, "http://x1/"}, {3, "http://x3/"}}));
  ASSERT_EQ(Generation(IniPath(), 3), (Values{{5, "http://stale/"}}));
  ASSERT_EQ(Generation(IniPath(), 6), (Values{{1, "http://six/"}}));

  ASSERT_TRUE(OpenRestore());
  EXPECT_FALSE(IsEnabled(main_));
  EXPECT_EQ(RestoreLabel(), LabelFor(3));
  EXPECT_EQ(ListItems(GenerationList()),
            (Entries_{GenerationItem(1), GenerationItem(2), GenerationItem(3)}));
  EXPECT_EQ(SelectedIndex(GenerationList()), -1);
  EXPECT_FALSE(GetWindowLongPtrW(GenerationList(), GWL_STYLE) & WS_HSCROLL) << "a line lost";
  EXPECT_EQ(ListItems(PreviewList()), Entries_{}) << "nothing previewed at the first opening";

  ASSERT_TRUE(Preview(0));
  EXPECT_EQ(ListItems(PreviewList()), (Entries_{"http://h2/", "http://h4/"}));
  ASSERT_TRUE(Preview(2));
  EXPECT_EQ(ListItems(PreviewList()), Entries_{"http://stale/"});
  ASSERT_TRUE(Preview(1));
  EXPECT_EQ(ListItems(PreviewList()), (Entries_{"http://x1/", "http://x3/"}));

  ASSERT_TRUE(LeaveRestore(text::kButtonRestore));
  EXPECT_TRUE(IsEnabled(main_));
  EXPECT_EQ(Entries(), (Entries_{"http://x1/", "http://x3/"}));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://x1/", "http://x3/"}));
}

// Starts that only look leave the backups alone, so an older state stays
// restorable.
TEST_F(RestoreWindowTest, StartsWithAnUnchangedHistoryKeepTheGenerations) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/"}));
  ASSERT_TRUE(WriteIni("[OldUrl1]\r\nurl1=http://older/\r\n"));
  for (int start = 1; start <= 3; ++start) {
    ASSERT_TRUE(Start()) << "start " << start;
    ASSERT_TRUE(ExitAndWait());
  }
  EXPECT_EQ(Generation(IniPath(), 1), (Values{{1, "http://a/"}, {2, "http://b/"}}));
  EXPECT_EQ(Generation(IniPath(), 2), (Values{{1, "http://older/"}}));
  EXPECT_EQ(Generation(IniPath(), 3), Values{});
}

// [A], [A, B], [url2 only: C], [D]: four states, four generations; and a
// history the code page holds leaves velm.ini code-page text.
TEST_F(RestoreWindowTest, FourDifferentStartsKeepFourGenerationsInCodePageText) {
  const std::string japanese = std::string("http://") + text::kButtonSwitchView + "/";
  for (const Entries_& history : {Entries_{"http://A/"}, Entries_{"http://A/", japanese},
                                  Entries_{"", "http://C/"}, Entries_{"http://D/"}}) {
    ASSERT_TRUE(ResetHistoryKey());
    for (std::size_t i = 0; i < history.size(); ++i) {
      if (!history[i].empty()) {
        ASSERT_TRUE(SetHistoryString("url" + std::to_string(i + 1), history[i]));
      }
    }
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ExitAndWait());
  }
  EXPECT_EQ(Generation(IniPath(), 1), (Values{{1, "http://D/"}}));
  EXPECT_EQ(Generation(IniPath(), 2), (Values{{2, "http://C/"}}));
  EXPECT_EQ(Generation(IniPath(), 3), (Values{{1, "http://A/"}, {2, japanese}}));
  EXPECT_EQ(Generation(IniPath(), 4), (Values{{1, "http://A/"}}));
  const auto ini = ReadFileBytes(IniPath());
  ASSERT_TRUE(ini);
  EXPECT_TRUE(ini->starts_with("[OldUrl1]\r\n")) << "no byte-order mark";
  EXPECT_NE(ini->find("url2=" + japanese + "\r\n"), std::string::npos);
}

class RestoreFlowTest : public VelmTest {
 protected:
  // History a, b now; o1, o2 at the start before (becomes generation 2).
  void SetUp() override {
    VelmTest::SetUp();
    ASSERT_TRUE(SeedHistory({"http://a/", "http://b/"}));
    ASSERT_TRUE(WriteIni("[OldUrl1]\r\nurl1=http://o1/\r\nurl2=http://o2/\r\n"));
  }

  testing::AssertionResult RestoreGeneration2() {
    if (auto opened = OpenRestore(); !opened) return opened;
    if (auto previewed = Preview(1); !previewed) return previewed;
    return LeaveRestore(text::kButtonRestore);
  }
};

// A scanner holding velm.ini without sharing for a moment as 旧データの復旧
// reads it: the read waits for it, and the backups are listed.
TEST_F(RestoreFlowTest, AVelmIniHeldForAMomentIsWaitedFor) {
  ASSERT_TRUE(Start());
  {
    const velm::UniqueFile held(CreateFileA(IniPath().c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    ASSERT_TRUE(PostClick(main_, text::kButtonRestoreOld));
    Sleep(300);
  }
  ASSERT_TRUE(PollUntil([&] { return IsShown(restore_); })) << "the restore window did not open";
  EXPECT_EQ(ListItems(GenerationList()), (Entries_{GenerationItem(1), GenerationItem(2)}));
}

TEST_F(RestoreFlowTest, RestoreInTheListViewThenExitSavesTheRestoredEntries) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(RestoreGeneration2());
  EXPECT_TRUE(IsEnabled(main_));
  EXPECT_EQ(CurrentList(), ListBox1());
  EXPECT_EQ(Entries(), (Entries_{"http://o1/", "http://o2/"}));
  EXPECT_EQ(Selection(), -1);
  EXPECT_EQ(ListItems(ComboBox1()), Entries_{}) << "the hidden list is emptied too";
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://o1/", "http://o2/"}));
}

TEST_F(RestoreFlowTest, RestoreInTheDropDownViewFillsTheDropDownWithNothingShown) {
  ASSERT_TRUE(
      WriteIni("[FORM]\r\nLSTFLAG=0\r\n[OldUrl1]\r\nurl1=http://o1/\r\nurl2=http://o2/\r\n"));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(RestoreGeneration2());
  EXPECT_EQ(CurrentList(), ComboBox1());
  EXPECT_EQ(Entries(), (Entries_{"http://o1/", "http://o2/"}));
  EXPECT_EQ(Selection(), -1);
  EXPECT_EQ(ListItems(ListBox1()), Entries_{});
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://o1/", "http://o2/"}));
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "LSTFLAG"), "0");
}

TEST_F(RestoreFlowTest, RestoreThenExitWithoutSavingKeepsTheHistory) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(RestoreGeneration2());
  DialogView question;
  ASSERT_TRUE(PressForDialog(text::kButtonExitNoSave, &question));
  ASSERT_TRUE(Answer(question, text::kYes));
  ASSERT_TRUE(WaitNormalExit());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://a/", "http://b/"}));
}

TEST_F(RestoreFlowTest, RestoreBeforeAnyPreviewEmptiesTheList) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(LeaveRestore(text::kButtonRestore));
  EXPECT_EQ(Entries(), Entries_{});
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), HistoryValues{});
  EXPECT_TRUE(HistoryKeyExists());
}

TEST_F(RestoreFlowTest, SecondOpeningKeepsTheLastPreview) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(Preview(1));
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));
  EXPECT_TRUE(IsEnabled(main_));
  EXPECT_EQ(Entries(), (Entries_{"http://a/", "http://b/"})) << "Back changes nothing";

  ASSERT_TRUE(OpenRestore());
  EXPECT_EQ(SelectedIndex(GenerationList()), -1);
  EXPECT_EQ(ListItems(GenerationList()), (Entries_{GenerationItem(1), GenerationItem(2)}));
  EXPECT_EQ(ListItems(PreviewList()), (Entries_{"http://o1/", "http://o2/"}));
  ASSERT_TRUE(LeaveRestore(text::kButtonRestore));
  EXPECT_EQ(Entries(), (Entries_{"http://o1/", "http://o2/"}));
}

// A 復旧 click that reaches the restore window after 戻る (automation, a late
// click) restores nothing over the user's edit; the 削除 posted after it
// comes after it.
TEST_F(RestoreFlowTest, ARestoreClickOnTheHiddenWindowChangesNothing) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(Preview(1));
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));
  ASSERT_TRUE(PickEntry(0));
  PostClick(FindChild(restore_, {"Button", text::kButtonRestore, false}));
  ASSERT_TRUE(PostClick(main_, text::kButtonDelete));
  EXPECT_TRUE(PollUntil([&] { return Entries() == Entries_{"http://b/"}; }));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://b/"}));
}

TEST_F(RestoreFlowTest, CloseBoxActsAsBack) {
  ASSERT_TRUE(Start());
  const HWND restore = restore_;
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(Preview(1));
  PostClose(restore_);
  ASSERT_TRUE(WaitGone(restore_));
  ASSERT_TRUE(Settle(main_));
  EXPECT_TRUE(IsWindow(restore_)) << "hidden, not destroyed";
  EXPECT_TRUE(IsEnabled(main_));
  EXPECT_EQ(Entries(), (Entries_{"http://a/", "http://b/"}));
  // The main window works as before.
  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(Press(text::kButtonDelete));
  EXPECT_EQ(Entries(), Entries_{"http://b/"});
  // The same window comes back.
  ASSERT_TRUE(OpenRestore());
  EXPECT_EQ(restore_, restore);
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));
  ASSERT_TRUE(ExitAndWait());
}

TEST_F(RestoreFlowTest, TaskbarCloseWhileRestoringSavesWhatTheMainWindowHolds) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(CreateEntry("http://c/"));
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(Preview(1));
  HWND app = AppWindow();
  ASSERT_NE(app, nullptr);
  PostClose(app);
  ASSERT_TRUE(WaitNormalExit());
  // The previewed generation was never put in place.
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://a/", "http://b/", "http://c/"}));
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "LSTFLAG"), "1");
}

}  // namespace
}  // namespace e2e
