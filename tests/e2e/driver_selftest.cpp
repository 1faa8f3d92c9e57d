// Proves the driver against a small stand-in window program, so the
// end-to-end tests of velm.exe rest on helpers that are known to work.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/texts.h"
#include "driver/clipboard_text.h"
#include "driver/control_access.h"
#include "driver/dialog_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "driver/key_input.h"
#include "driver/launched_process.h"
#include "driver/sandbox.h"
#include "driver/screen_capture.h"
#include "driver/window_search.h"
#include "driver/wine_path.h"

namespace e2e {
namespace {

namespace text = velm::text;

constexpr char kMainClass[] = "E2eFixtureMain";

class FixtureTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Sandbox::CreateForCurrentTest(WinePath(E2E_WORK_ROOT), WinePath(E2E_FIXTURE_EXE),
                                              &sandbox_));
    ASSERT_TRUE(LaunchedProcess::Start(sandbox_.exe(), sandbox_.dir(), &process_));
    ASSERT_TRUE(
        WaitTopLevel(process_.pid(), {.class_name = kMainClass, .caption = "Fixture"}, &main_));
    list_ = FindChild(main_, {.class_name = "LISTBOX"});
    combo_ = FindChild(main_, {.class_name = "COMBOBOX"});
    ASSERT_NE(list_, nullptr);
    ASSERT_NE(combo_, nullptr);
  }

  testing::AssertionResult CaptionBecomes(const std::string& caption) {
    if (PollUntil([&] { return WindowText(main_) == caption; })) {
      return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "caption is \"" << WindowText(main_) << "\", not \"" << caption << "\"";
  }

  testing::AssertionResult OpenAsk(DialogView* dialog) {
    if (auto posted = PostClick(main_, "Ask"); !posted) return posted;
    return WaitDialog(process_.pid(), {main_}, dialog);
  }

  Sandbox sandbox_;
  LaunchedProcess process_;
  HWND main_ = nullptr;
  HWND list_ = nullptr;
  HWND combo_ = nullptr;
};

TEST_F(FixtureTest, FindsWindowsByProcessClassAndCaptionAndReadsThem) {
  EXPECT_EQ(FindTopLevel(process_.pid(), {.caption = "Fixture"}), main_);
  EXPECT_EQ(FindTopLevel(process_.pid(), {.class_name = "e2efixturemain"}), main_);
  EXPECT_EQ(FindTopLevel(process_.pid(), {.caption = "Other"}), nullptr);
  EXPECT_EQ(FindTopLevel(GetCurrentProcessId(), {.class_name = kMainClass}), nullptr);
  HWND none = nullptr;
  EXPECT_FALSE(WaitTopLevel(process_.pid(), {.caption = "Other"}, &none, Timeout{100}));

  EXPECT_EQ(OuterHeight(main_), 250);
  EXPECT_TRUE(IsEnabled(main_));
  EXPECT_TRUE(IsShown(main_));
  EXPECT_NE(ButtonByCaption(main_, "Count"), nullptr);
  EXPECT_EQ(ButtonByCaption(main_, "Nope"), nullptr);

  // The middle entry is Japanese: it must come back as the same CP932 bytes.
  const std::vector<std::string> items = {"alpha", text::kMovingCaption, "gamma"};
  EXPECT_EQ(ListItems(list_), items);
  EXPECT_EQ(ListItems(combo_), items);
  EXPECT_EQ(SelectedIndex(list_), -1);
  EXPECT_EQ(SelectedIndex(combo_), -1);
}

TEST_F(FixtureTest, ClickReturnsOnceTheHandlerHasRun) {
  ASSERT_TRUE(Click(main_, "Count"));
  EXPECT_EQ(WindowText(main_), "count 1");
  ASSERT_TRUE(Click(main_, "Count"));
  EXPECT_EQ(WindowText(main_), "count 2");
  EXPECT_FALSE(Click(main_, "Missing"));
}

TEST_F(FixtureTest, PicksSelectAndNotifyTheParent) {
  ASSERT_TRUE(Pick(list_, 2));
  EXPECT_EQ(WindowText(main_), "list 2");
  EXPECT_EQ(SelectedIndex(list_), 2);
  ASSERT_TRUE(Pick(combo_, 1));
  EXPECT_EQ(WindowText(main_), "combo 1");
  EXPECT_EQ(SelectedIndex(combo_), 1);
  EXPECT_FALSE(Pick(list_, 3));
  EXPECT_FALSE(Pick(list_, -1));
  EXPECT_EQ(WindowText(main_), "combo 1");
}

TEST_F(FixtureTest, OwnDialogIsReadTypedIntoAndAnsweredByCaption) {
  DialogView dialog;
  ASSERT_TRUE(OpenAsk(&dialog));
  EXPECT_EQ(dialog.caption, text::kConfirmCaption);
  EXPECT_EQ(dialog.texts, std::vector<std::string>{text::kExitNoSaveQuestion});
  // Created No first, read left to right.
  EXPECT_EQ(dialog.buttons, (std::vector<std::string>{text::kYes, text::kNo}));
  ASSERT_NE(dialog.edit, nullptr);
  EXPECT_EQ(EditText(dialog.edit), "start");
  EXPECT_FALSE(IsEnabled(main_));
  EXPECT_TRUE(FocusComesTo(ButtonByCaption(dialog.window, text::kYes)));

  ASSERT_TRUE(TypeIntoEdit(dialog, "typed"));
  EXPECT_EQ(EditText(dialog.edit), "typed");
  ASSERT_TRUE(Answer(dialog, text::kNo));
  EXPECT_TRUE(CaptionBecomes("answer 7 typed"));
  EXPECT_TRUE(IsEnabled(main_));
  EXPECT_EQ(FindDialog(process_.pid(), {main_}), nullptr);
}

TEST_F(FixtureTest, KeysAndTheCloseBoxReachTheDialog) {
  struct Case {
    const char* what;
    WORD key;  // 0: the close box
    const char* caption;
  };
  for (const Case& c :
       {Case{"Enter", VK_RETURN, "answer 6 start"}, Case{"Esc", VK_ESCAPE, "answer 7 start"},
        Case{"close box", 0, "answer 2 start"}}) {
    SCOPED_TRACE(c.what);
    DialogView dialog;
    ASSERT_TRUE(OpenAsk(&dialog));
    if (c.key != 0) {
      ASSERT_TRUE(PressKeys(dialog.window, {c.key}));
      ASSERT_TRUE(WaitGone(dialog.window));
    } else {
      ASSERT_TRUE(CloseByCloseBox(dialog));
    }
    EXPECT_TRUE(CaptionBecomes(c.caption));
  }
}

TEST_F(FixtureTest, CtrlCReachesTheDialogWithTheModifierDown) {
  ASSERT_TRUE(ClearClipboard());
  DialogView dialog;
  ASSERT_TRUE(OpenAsk(&dialog));
  ASSERT_TRUE(PressKeys(dialog.window, {VK_CONTROL, 'C'}));
  ASSERT_TRUE(WaitClipboardText(std::string("copied ") + text::kConfirmCaption));
  // A plain C is no copy: the dialog stays open and answers as usual.
  EXPECT_TRUE(IsShown(dialog.window));
  ASSERT_TRUE(Answer(dialog, text::kYes));
  EXPECT_TRUE(CaptionBecomes("answer 6 start"));
}

TEST_F(FixtureTest, SystemMessageBoxIsFoundReadAndAnswered) {
  ASSERT_TRUE(PostClick(main_, "Box"));
  DialogView box;
  ASSERT_TRUE(WaitDialog(process_.pid(), {main_}, &box));
  EXPECT_STREQ(box.class_name.c_str(), "#32770");
  EXPECT_EQ(box.caption, "Box caption");
  EXPECT_EQ(WindowText(GetDlgItem(box.window, 0xFFFF)), "box text");
  EXPECT_EQ(box.texts, std::vector<std::string>{"box text"});
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  ASSERT_TRUE(Answer(box, "OK"));
  EXPECT_TRUE(CaptionBecomes("box 1"));
}

TEST_F(FixtureTest, ExitCodeOfAProgramThatEndsItself) {
  DWORD exit_code = 0;
  EXPECT_FALSE(process_.WaitExit(&exit_code, Timeout{100}));
  EXPECT_TRUE(process_.Running());
  ASSERT_TRUE(PostClick(main_, "Quit"));
  ASSERT_TRUE(process_.WaitExit(&exit_code));
  EXPECT_EQ(exit_code, 7u);
  EXPECT_FALSE(process_.Running());
}

TEST_F(FixtureTest, OwnerEndsAProgramTheTestLeftRunning) {
  const DWORD pid = process_.pid();
  UniqueHandle watch(OpenProcess(SYNCHRONIZE, FALSE, pid));
  ASSERT_TRUE(watch);
  ASSERT_EQ(WaitForSingleObject(watch.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  process_ = LaunchedProcess();  // the old owner goes
  EXPECT_EQ(WaitForSingleObject(watch.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST_F(FixtureTest, ScreenPictureIsAWholeScreenBitmap) {
  const std::string path = sandbox_.File("screen.bmp");
  ASSERT_TRUE(SaveScreenBitmap(path));
  const auto bytes = ReadFileBytes(path);
  ASSERT_TRUE(bytes.has_value());
  ASSERT_GT(bytes->size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(bytes->substr(0, 2), "BM");
  BITMAPINFOHEADER info;
  memcpy(&info, bytes->data() + sizeof(BITMAPFILEHEADER), sizeof(info));
  EXPECT_EQ(info.biWidth, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(info.biHeight, GetSystemMetrics(SM_CYSCREEN));
  const size_t row = (static_cast<size_t>(info.biWidth) * 3 + 3) & ~size_t{3};
  EXPECT_EQ(bytes->size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) +
                               row * static_cast<size_t>(info.biHeight));
}

TEST_F(FixtureTest, WindowPictureIsCutToTheWindowAndToTheScreen) {
  const RECT window = OuterRect(main_);
  ScreenPicture picture;
  ASSERT_TRUE(CaptureSettled(window, &picture));
  EXPECT_EQ(picture.width, window.right - window.left);
  EXPECT_EQ(picture.height, window.bottom - window.top);
  // A window, not an unpainted area: its face, its frame and its texts differ.
  const size_t row = (static_cast<size_t>(picture.width) * 3 + 3) & ~size_t{3};
  ASSERT_EQ(picture.pixels.size(), row * static_cast<size_t>(picture.height));
  EXPECT_NE(std::count(picture.pixels.begin(), picture.pixels.end(), picture.pixels.front()),
            static_cast<std::ptrdiff_t>(picture.pixels.size()));

  // Overhanging the top left corner: only the part on the screen.
  ScreenPicture corner;
  ASSERT_TRUE(CaptureScreen(RECT{-30, -40, 70, 60}, &corner));
  EXPECT_EQ(corner.width, 70);
  EXPECT_EQ(corner.height, 60);
  ScreenPicture nowhere;
  EXPECT_FALSE(CaptureScreen(RECT{-300, -300, -10, -10}, &nowhere));

  const std::string path = sandbox_.File("window.bmp");
  ASSERT_TRUE(SaveBitmapFile(path, picture));
  const auto bytes = ReadFileBytes(path);
  ASSERT_TRUE(bytes.has_value());
  BITMAPINFOHEADER info;
  memcpy(&info, bytes->data() + sizeof(BITMAPFILEHEADER), sizeof(info));
  EXPECT_EQ(info.biWidth, picture.width);
  EXPECT_EQ(info.biHeight, picture.height);
  EXPECT_EQ(bytes->substr(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)),
            std::string(picture.pixels.begin(), picture.pixels.end()));
  EXPECT_FALSE(SaveBitmapFile(sandbox_.File("none.bmp"), ScreenPicture{}));
}

TEST(SandboxTest, EachRunStartsFromAnEmptyFolderWithTheProgram) {
  const std::string root = WinePath(E2E_WORK_ROOT);
  const std::string program = WinePath(E2E_FIXTURE_EXE);
  Sandbox first;
  ASSERT_TRUE(Sandbox::Create(root, "SandboxTest.reuse", program, &first));
  ASSERT_TRUE(WriteFileBytes(first.File("velm.ini"), "[FORM]\r\n"));
  Sandbox second;
  ASSERT_TRUE(Sandbox::Create(root, "SandboxTest.reuse", program, &second));
  EXPECT_EQ(second.dir(), first.dir());
  EXPECT_FALSE(FileExists(second.File("velm.ini")));
  EXPECT_TRUE(FileExists(second.exe()));
  EXPECT_EQ(second.exe(), second.File("e2e_fixture.exe"));
}

class HistoryKeyTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(DeleteHistoryKey()); }
};

TEST_F(HistoryKeyTest, ValuesOfAnyTypeRoundTripByteForByte) {
  ASSERT_TRUE(ResetHistoryKey());
  EXPECT_TRUE(HistoryKeyExists());
  EXPECT_TRUE(ReadHistory().empty());

  const RegValue dword{REG_DWORD, std::string("\x01\x00\x00\x00", 4)};
  const RegValue unterminated{REG_SZ, "no zero"};
  const RegValue inner_zero{REG_SZ, std::string("ab\0cd\0", 6)};
  const RegValue expand{REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)};
  ASSERT_TRUE(SetHistoryValue("url1", dword));
  ASSERT_TRUE(SetHistoryValue("url2", unterminated));
  ASSERT_TRUE(SetHistoryValue("url3", inner_zero));
  ASSERT_TRUE(SetHistoryValue("url4", expand));
  ASSERT_TRUE(SetHistoryString("url26", text::kMovingCaption));
  const HistoryValues expected = {{"url1", dword},
                                  {"url2", unterminated},
                                  {"url3", inner_zero},
                                  {"url4", expand},
                                  {"url26", StringValue(text::kMovingCaption)}};
  EXPECT_EQ(ReadHistory(), expected);

  ASSERT_TRUE(DeleteHistoryKey());
  EXPECT_FALSE(HistoryKeyExists());
  EXPECT_TRUE(ReadHistory().empty());
  EXPECT_TRUE(DeleteHistoryKey()) << "deleting a missing key is no failure";
}

TEST_F(HistoryKeyTest, SeedReplacesWhatWasThere) {
  ASSERT_TRUE(SeedHistory({"a", "b", "c"}));
  ASSERT_TRUE(SeedHistory({"x", "y"}));
  EXPECT_EQ(ReadHistory(), SavedUrls({"x", "y"}));
  EXPECT_EQ(SavedUrls({"x"}).at("url1"), (RegValue{REG_SZ, std::string("x\0", 2)}));
}

TEST(IniFileTest, ReadsBytesSectionsAndValues) {
  Sandbox box;
  ASSERT_TRUE(
      Sandbox::Create(WinePath(E2E_WORK_ROOT), "IniFileTest", WinePath(E2E_FIXTURE_EXE), &box));
  const std::string ini = box.File("velm.ini");
  EXPECT_FALSE(ReadFileBytes(ini).has_value());
  EXPECT_EQ(ProfileString(ini, "FORM", "TOP"), "");

  const std::string bytes = "[OldUrl2]\r\nurl1=a\r\nurl3=c\r\n[FORM]\r\nTOP=-5\r\n";
  ASSERT_TRUE(WriteFileBytes(ini, bytes));
  EXPECT_EQ(ReadFileBytes(ini), bytes);
  EXPECT_EQ(ProfileString(ini, "FORM", "TOP"), "-5");
  EXPECT_EQ(ProfileSections(ini), (std::vector<std::string>{"OldUrl2", "FORM"}));
  EXPECT_EQ(ProfileSection(ini, "FORM"), (std::map<std::string, std::string>{{"TOP", "-5"}}));
  EXPECT_EQ(Generation(ini, 2), (std::map<int, std::string>{{1, "a"}, {3, "c"}}));
  EXPECT_TRUE(Generation(ini, 1).empty());
}

}  // namespace
}  // namespace e2e
