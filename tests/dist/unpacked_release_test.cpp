// The velm.exe unpacked from the release zip, run where it was unpacked: it
// comes up to its main window with the history, and "保存しないで終了"
// leaves the history as it was although the list was changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/texts.h"
#include "driver/dialog_access.h"
#include "driver/history_key.h"
#include "driver/wine_path.h"
#include "velm_test.h"

namespace e2e {
namespace {

namespace text = velm::text;

// The folder the zip was unpacked into, from the command line.
std::string g_unpacked_dir;

class UnpackedReleaseTest : public VelmTest {
 protected:
  // The program runs in its own folder, not in a sandbox copy.
  void SetUp() override {
    ASSERT_FALSE(g_unpacked_dir.empty()) << "usage: unpacked_release_test UNPACKED_DIR";
    ASSERT_TRUE(DeleteHistoryKey());
  }
  void TearDown() override {
    app_.Stop();
    EXPECT_TRUE(DeleteHistoryKey());
  }
};

TEST_F(UnpackedReleaseTest, StartsToItsMainWindowAndEndsWithoutSaving) {
  ASSERT_TRUE(SeedHistory({"http://a.example/", "http://b.example/"}));
  ASSERT_TRUE(LaunchedProcess::Start(g_unpacked_dir + "\\velm.exe", g_unpacked_dir, &app_));
  ASSERT_TRUE(WaitMainWindow());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://a.example/", "http://b.example/"}));

  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(Press(text::kButtonDelete));
  DialogView question;
  ASSERT_TRUE(PressForDialog(text::kButtonExitNoSave, &question));
  EXPECT_EQ(question.texts, std::vector<std::string>{text::kExitNoSaveQuestion});
  ASSERT_TRUE(Answer(question, text::kYes));
  ASSERT_TRUE(WaitNormalExit());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://a.example/", "http://b.example/"}));
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc == 2) e2e::g_unpacked_dir = e2e::WinePath(argv[1]);
  return RUN_ALL_TESTS();
}
