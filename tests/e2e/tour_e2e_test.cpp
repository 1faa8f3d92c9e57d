// The screenshot tour against the real velm.exe: a picture of every step,
// each cut to its window, and nothing written to the history, whatever the
// tour did on screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/texts.h"
#include "driver/control_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "driver/launched_process.h"
#include "driver/sandbox.h"
#include "driver/window_search.h"
#include "driver/wine_path.h"
#include "sample_urls.h"
#include "tour/tour.h"
#include "velm_test.h"

namespace e2e {
namespace {

namespace text = velm::text;

struct Bitmap {
  int width = 0;
  int height = 0;
  size_t colours = 0;  // distinct pixel values
};

std::optional<Bitmap> ReadBitmap(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  constexpr size_t kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  if (!bytes || bytes->size() < kHeaders || bytes->substr(0, 2) != "BM") return std::nullopt;
  BITMAPINFOHEADER info;
  memcpy(&info, bytes->data() + sizeof(BITMAPFILEHEADER), sizeof(info));
  if (info.biBitCount != 24 || info.biWidth <= 0 || info.biHeight <= 0) return std::nullopt;
  const size_t row = (static_cast<size_t>(info.biWidth) * 3 + 3) & ~size_t{3};
  if (bytes->size() != kHeaders + row * static_cast<size_t>(info.biHeight)) return std::nullopt;
  std::set<std::string> colours;
  for (LONG y = 0; y < info.biHeight; ++y) {
    for (LONG x = 0; x < info.biWidth; ++x) {
      colours.insert(bytes->substr(kHeaders + static_cast<size_t>(y) * row + x * 3, 3));
    }
  }
  return Bitmap{info.biWidth, info.biHeight, colours.size()};
}

std::vector<std::string> Names(const Sandbox& box, const std::vector<const char*>& names) {
  std::vector<std::string> paths;
  for (const char* name : names) paths.push_back(box.File(name));
  return paths;
}

class TourTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        Sandbox::CreateForCurrentTest(WinePath(E2E_WORK_ROOT), WinePath(VELM_EXE), &sandbox_));
    ASSERT_TRUE(DeleteHistoryKey());
  }
  void TearDown() override { EXPECT_TRUE(DeleteHistoryKey()); }

  std::string Ini() const { return sandbox_.File("velm.ini"); }

  Sandbox sandbox_;
  std::vector<std::string> pictures_;
};

TEST_F(TourTest, PicturesEveryWindowAndLeavesHistoryAndViewAsTheyWere) {
  // A gap at url2: any save would close it up, so a save cannot go unseen.
  ASSERT_TRUE(SeedHistory({"http://one.example/"}));
  ASSERT_TRUE(SetHistoryString("url3", kJapaneseUrl));
  ASSERT_TRUE(SetHistoryString("url4", "http://four.example/"));
  const HistoryValues before = ReadHistory();
  // Saved in the drop-down view: the tour shows the list view first and
  // leaves the drop-down view stored.
  ASSERT_TRUE(WriteFileBytes(Ini(), "[FORM]\r\nLSTFLAG=0\r\nTOP=10\r\nLEFT=20\r\n"));

  ASSERT_TRUE(RunTour(sandbox_.dir(), sandbox_.dir(), &pictures_));

  EXPECT_EQ(ReadHistory(), before);
  EXPECT_EQ(ProfileSection(Ini(), "FORM"),
            (std::map<std::string, std::string>{{"LSTFLAG", "0"}, {"TOP", "10"}, {"LEFT", "20"}}));
  ASSERT_EQ(pictures_, Names(sandbox_, {kShotMainWindow, kShotChangeBox, kShotCreateBox,
                                        kShotMoveMessage, kShotChangeEmpty, kShotRestoreWindow,
                                        kShotDropDownView, kShotExitConfirm}));
  std::map<std::string, Bitmap> shots;
  for (const std::string& path : pictures_) {
    const auto bitmap = ReadBitmap(path);
    ASSERT_TRUE(bitmap.has_value()) << path << " is no 24-bit picture";
    EXPECT_GT(bitmap->colours, 4u) << path << " shows no window";
    shots[path] = *bitmap;
  }
  const Bitmap& main = shots[sandbox_.File(kShotMainWindow)];
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  // The list view's window: its 514 x 386 client area and a frame, not the screen.
  EXPECT_GT(main.width, 514);
  EXPECT_LT(main.width, screen_width);
  EXPECT_GT(main.height, 386);
  // The shortened window of the drop-down view, with at most its dropped list.
  EXPECT_EQ(shots[sandbox_.File(kShotDropDownView)].width, main.width);
  EXPECT_LT(shots[sandbox_.File(kShotDropDownView)].height, main.height);
  // The two input boxes: same width, the create box a prompt line taller.
  const Bitmap& change = shots[sandbox_.File(kShotChangeBox)];
  const Bitmap& create = shots[sandbox_.File(kShotCreateBox)];
  EXPECT_EQ(create.width, change.width);
  EXPECT_GT(create.height, change.height);
  for (const char* dialog : {kShotMoveMessage, kShotChangeEmpty, kShotExitConfirm}) {
    EXPECT_LT(shots[sandbox_.File(dialog)].width, main.width) << dialog << " is no dialog";
  }
}

TEST_F(TourTest, EmptyHistoryIsShownWithASampleEntryThatIsNeverSaved) {
  // An empty key and no velm.ini: nothing to restore either.
  ASSERT_TRUE(ResetHistoryKey());
  ASSERT_TRUE(RunTour(sandbox_.dir(), sandbox_.dir(), &pictures_));

  EXPECT_TRUE(HistoryKeyExists());
  EXPECT_EQ(ReadHistory(), HistoryValues{});
  EXPECT_EQ(ProfileString(Ini(), "FORM", "LSTFLAG"), "1");
  EXPECT_EQ(pictures_, Names(sandbox_, {kShotMainWindow, kShotChangeBox, kShotCreateBox,
                                        kShotMoveMessage, kShotChangeEmpty, kShotNoBackup,
                                        kShotDropDownView, kShotExitConfirm}));
}

TEST_F(TourTest, StopsAtOnceWhenAnotherCopyRunsAndLeavesItAlone) {
  ASSERT_TRUE(SeedHistory({"http://kept.example/"}));
  LaunchedProcess first;
  ASSERT_TRUE(LaunchedProcess::Start(sandbox_.exe(), sandbox_.dir(), &first));
  ASSERT_TRUE(PollUntil([&] {
    for (HWND window : TopLevelWindows(first.pid())) {
      if (IsWindowVisible(window) && ButtonByCaption(window, text::kButtonExit)) return true;
    }
    return false;
  }));

  const testing::AssertionResult toured = RunTour(sandbox_.dir(), sandbox_.dir(), &pictures_);
  EXPECT_FALSE(toured);
  EXPECT_NE(std::string(toured.message()).find("another copy"), std::string::npos)
      << toured.message();
  EXPECT_TRUE(pictures_.empty());
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://kept.example/"}));
}

TEST_F(TourTest, ErrorReportAtStartStopsTheTourAndEndsTheProgramUnsaved) {
  ASSERT_TRUE(SeedHistory({"http://one.example/"}));
  ASSERT_TRUE(SetHistoryValue("url2", RegValue{REG_DWORD, std::string("\x05\x00\x00\x00", 4)}));
  ASSERT_TRUE(SetHistoryString("url4", "http://four.example/"));
  const HistoryValues before = ReadHistory();

  const testing::AssertionResult toured = RunTour(sandbox_.dir(), sandbox_.dir(), &pictures_);
  EXPECT_FALSE(toured);
  EXPECT_NE(std::string(toured.message()).find(Filled(text::kHistoryTypeError, "url2")),
            std::string::npos)
      << toured.message();
  EXPECT_TRUE(pictures_.empty());
  EXPECT_TRUE(PollUntil([] { return FindWindowA(nullptr, text::kAppTitle) == nullptr; }))
      << "velm.exe still runs";
  EXPECT_EQ(ReadHistory(), before);
}

}  // namespace
}  // namespace e2e
