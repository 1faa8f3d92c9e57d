// One run that goes through every command of both windows, checking the entry
// list after each step and the registry and velm.ini at the end.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/texts.h"
#include "driver/control_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "velm_test.h"

namespace e2e {
namespace {

namespace text = velm::text;

using Entries_ = std::vector<std::string>;

using FullSessionTest = VelmTest;

TEST_F(FullSessionTest, EveryCommandOfBothWindowsInOneRun) {
  ASSERT_TRUE(SeedHistory({"http://u1/", "http://u2/", "http://u3/", "http://u4/"}));
  ASSERT_TRUE(Start());
  ASSERT_EQ(Entries(), (Entries_{"http://u1/", "http://u2/", "http://u3/", "http://u4/"}));

  // Editing in the list view.
  ASSERT_TRUE(ChangeEntry(0, "http://c1/"));
  ASSERT_TRUE(CreateEntry("http://n5/"));
  ASSERT_EQ(Entries(),
            (Entries_{"http://c1/", "http://u2/", "http://u3/", "http://u4/", "http://n5/"}));
  ASSERT_TRUE(PickEntry(1));
  ASSERT_TRUE(Press(text::kButtonDelete));
  ASSERT_EQ(Entries(), (Entries_{"http://c1/", "http://u3/", "http://u4/", "http://n5/"}));
  ASSERT_TRUE(MoveEntry(0, 2));
  ASSERT_EQ(Entries(), (Entries_{"http://u3/", "http://u4/", "http://c1/", "http://n5/"}));

  // Editing in the drop-down view.
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  ASSERT_EQ(CurrentList(), ComboBox1());
  EXPECT_EQ(OuterHeight(main_), 124);
  ASSERT_TRUE(MoveEntry(3, 0));
  ASSERT_EQ(Entries(), (Entries_{"http://n5/", "http://u3/", "http://u4/", "http://c1/"}));
  ASSERT_TRUE(ChangeEntry(1, "http://c2/"));
  ASSERT_EQ(Entries(), (Entries_{"http://n5/", "http://c2/", "http://u4/", "http://c1/"}));
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  ASSERT_EQ(CurrentList(), ListBox1());
  EXPECT_EQ(OuterHeight(main_), 413);
  ASSERT_EQ(Entries(), (Entries_{"http://n5/", "http://c2/", "http://u4/", "http://c1/"}));

  // The restore window: look, go back, clear, restore.
  const Entries_ start_history = {"http://u1/", "http://u2/", "http://u3/", "http://u4/"};
  ASSERT_TRUE(OpenRestore());
  EXPECT_EQ(RestoreLabel(), text::kRestoreLabelHead + std::string("1") + text::kRestoreLabelTail);
  ASSERT_TRUE(Preview(0));
  EXPECT_EQ(ListItems(PreviewList()), start_history);
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));
  ASSERT_EQ(Entries(), (Entries_{"http://n5/", "http://c2/", "http://u4/", "http://c1/"}));
  ASSERT_TRUE(Press(text::kButtonClear));
  ASSERT_EQ(Entries(), Entries_{});
  EXPECT_EQ(ListItems(ComboBox1()), Entries_{});
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(LeaveRestore(text::kButtonRestore));
  ASSERT_EQ(Entries(), start_history);
  ASSERT_TRUE(CreateEntry("http://tail/"));

  // Exit without saving, answered No; then Exit.
  DialogView question;
  ASSERT_TRUE(PressForDialog(text::kButtonExitNoSave, &question));
  ASSERT_TRUE(AnswerAndSettle(question, text::kNo));
  ASSERT_TRUE(ExitAndWait());

  EXPECT_EQ(ReadHistory(),
            SavedUrls({"http://u1/", "http://u2/", "http://u3/", "http://u4/", "http://tail/"}));
  // Only the start-up snapshot and the window settings, nothing else.
  EXPECT_EQ(ReadFileBytes(IniPath()),
            "[OldUrl1]\r\n"
            "url1=http://u1/\r\n"
            "url2=http://u2/\r\n"
            "url3=http://u3/\r\n"
            "url4=http://u4/\r\n"
            "[FORM]\r\n"
            "LSTFLAG=1\r\n"
            "TOP=0\r\n"
            "LEFT=0\r\n");
}

}  // namespace
}  // namespace e2e
