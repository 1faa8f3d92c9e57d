#include "velm_test.h"

#include <iostream>

#include "core/texts.h"
#include "driver/control_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "driver/screen_capture.h"
#include "driver/window_search.h"
#include "driver/wine_path.h"
#include "forms/main_window.h"
#include "forms/restore_window.h"

// Stops the calling helper with the failure of a step it delegated to.
#define E2E_STEP(step)                                                       \
  do {                                                                       \
    if (testing::AssertionResult result_ = (step); !result_) return result_; \
  } while (false)

namespace e2e {

namespace text = velm::text;

namespace {

// The main window is the shown window of the process that holds "終了";
// the error report shares its caption but not its buttons.
HWND FindMainWindow(DWORD pid) {
  for (HWND window : TopLevelWindows(pid)) {
    if (IsWindowVisible(window) && ButtonByCaption(window, text::kButtonExit) != nullptr) {
      return window;
    }
  }
  return nullptr;
}

std::string Hyphens() {
  return std::string(27, '-') + "\r\n";
}

}  // namespace

std::string Filled(std::string_view pattern, std::string_view value) {
  std::string result(pattern);
  for (const char* placeholder : {"%s", "%d"}) {
    if (const auto at = result.find(placeholder); at != std::string::npos) {
      return result.replace(at, 2, value);
    }
  }
  return result;
}

std::string DialogCopyText(std::string_view caption, std::string_view message,
                           const std::vector<std::string>& buttons) {
  std::string line;
  for (const std::string& button : buttons) {
    for (char c : button) {
      if (c != '&') line += c;
    }
    line += "   ";
  }
  return Hyphens() + std::string(caption) + "\r\n" + Hyphens() + std::string(message) + "\r\n" +
         Hyphens() + line + "\r\n" + Hyphens();
}

void VelmTest::SetUp() {
  ASSERT_TRUE(
      Sandbox::CreateForCurrentTest(WinePath(E2E_WORK_ROOT), WinePath(VELM_EXE), &sandbox_));
  ASSERT_TRUE(DeleteHistoryKey());
}

void VelmTest::TearDown() {
  if (HasFailure() && app_.Running()) {
    const std::string picture = sandbox_.File("failure.bmp");
    if (SaveScreenBitmap(picture)) std::cout << "screen at the failure: " << picture << "\n";
  }
  app_.Stop();
  EXPECT_TRUE(DeleteHistoryKey());
}

testing::AssertionResult VelmTest::WriteIni(std::string_view bytes) const {
  return WriteFileBytes(IniPath(), bytes);
}

testing::AssertionResult VelmTest::Launch(int show_command) {
  main_ = restore_ = nullptr;
  return LaunchedProcess::Start(sandbox_.exe(), sandbox_.dir(), &app_, show_command);
}

testing::AssertionResult VelmTest::Start() {
  E2E_STEP(Launch());
  return WaitMainWindow();
}

testing::AssertionResult VelmTest::WaitMainWindow() {
  if (!PollUntil([&] { return (main_ = FindMainWindow(app_.pid())) != nullptr; })) {
    std::string shown;
    if (HWND dialog = FindDialog(app_.pid(), {})) {
      const DialogView view = ReadDialog(dialog);
      shown = " (shown instead: \"" + view.caption + "\"" +
              (view.texts.empty() ? "" : " saying \"" + view.texts.front() + "\"") + ")";
    }
    return testing::AssertionFailure() << "the main window did not appear" << shown;
  }
  // The restore window is created, hidden, right after the main window shows.
  if (!PollUntil([&] {
        return (restore_ = FindTopLevel(app_.pid(), {.caption = text::kRestoreCaption,
                                                     .visible_only = false})) != nullptr;
      }))
    return testing::AssertionFailure() << "no restore window was created";
  return testing::AssertionSuccess();
}

bool VelmTest::MainWindowShown() const {
  return FindMainWindow(app_.pid()) != nullptr;
}

testing::AssertionResult VelmTest::WaitNormalExit() {
  DWORD exit_code = 0;
  E2E_STEP(app_.WaitExit(&exit_code));
  if (exit_code != 0) return testing::AssertionFailure() << "exit code " << exit_code;
  return testing::AssertionSuccess();
}

HWND VelmTest::AppWindow() const {
  for (HWND window : TopLevelWindows(app_.pid())) {
    if (window != main_ && WindowText(window) == text::kAppTitle && ChildWindows(window).empty()) {
      return window;
    }
  }
  return nullptr;
}

HWND VelmTest::ListBox1() const {
  return GetDlgItem(main_, velm::kListView);
}

HWND VelmTest::ComboBox1() const {
  return GetDlgItem(main_, velm::kDropDownView);
}

HWND VelmTest::CurrentList() const {
  const bool list = IsShown(ListBox1());
  const bool combo = IsShown(ComboBox1());
  if (list == combo) return nullptr;
  return list ? ListBox1() : ComboBox1();
}

std::vector<std::string> VelmTest::Entries() const {
  HWND list = CurrentList();
  return list == nullptr ? std::vector<std::string>{"<no single visible list>"} : ListItems(list);
}

int VelmTest::Selection() const {
  HWND list = CurrentList();
  return list == nullptr ? -2 : SelectedIndex(list);
}

std::string VelmTest::Caption() const {
  return WindowText(main_);
}

testing::AssertionResult VelmTest::Press(std::string_view caption) {
  return Click(main_, caption);
}

testing::AssertionResult VelmTest::PressForDialog(std::string_view caption, DialogView* dialog) {
  E2E_STEP(PostClick(main_, caption));
  return WaitDialog(dialog);
}

testing::AssertionResult VelmTest::PickEntry(int index) {
  HWND list = CurrentList();
  if (list == nullptr) return testing::AssertionFailure() << "no single list is visible";
  return Pick(list, index);
}

testing::AssertionResult VelmTest::WaitDialog(DialogView* dialog) {
  return e2e::WaitDialog(app_.pid(), {main_, restore_}, dialog);
}

testing::AssertionResult VelmTest::AnswerAndSettle(const DialogView& dialog,
                                                   std::string_view button) {
  E2E_STEP(Answer(dialog, button));
  return Settle(main_);
}

testing::AssertionResult VelmTest::ChangeEntry(int index, std::string_view new_text) {
  E2E_STEP(PickEntry(index));
  DialogView box;
  E2E_STEP(PressForDialog(text::kButtonChange, &box));
  E2E_STEP(TypeIntoEdit(box, new_text));
  return AnswerAndSettle(box, text::kOk);
}

testing::AssertionResult VelmTest::CreateEntry(std::string_view entry) {
  DialogView box;
  E2E_STEP(PressForDialog(text::kButtonCreate, &box));
  E2E_STEP(TypeIntoEdit(box, entry));
  return AnswerAndSettle(box, text::kOk);
}

testing::AssertionResult VelmTest::MoveEntry(int from, int to) {
  E2E_STEP(PickEntry(from));
  DialogView message;
  E2E_STEP(PressForDialog(text::kButtonMove, &message));
  E2E_STEP(AnswerAndSettle(message, text::kOk));
  if (Caption() != text::kMovingCaption) {
    return testing::AssertionFailure() << "not in move mode: caption \"" << Caption() << "\"";
  }
  return PickEntry(to);
}

testing::AssertionResult VelmTest::ExitAndWait() {
  E2E_STEP(PostClick(main_, text::kButtonExit));
  return WaitNormalExit();
}

testing::AssertionResult VelmTest::OpenRestore() {
  E2E_STEP(PostClick(main_, text::kButtonRestoreOld));
  HWND dialog = nullptr;
  PollUntil([&] {
    return IsShown(restore_) || (dialog = FindDialog(app_.pid(), {main_, restore_})) != nullptr;
  });
  if (dialog != nullptr) {
    const DialogView view = ReadDialog(dialog);
    return testing::AssertionFailure()
           << "a dialog \"" << view.caption << "\" came instead of the restore window";
  }
  if (!IsShown(restore_)) return testing::AssertionFailure() << "the restore window did not open";
  return Settle(main_);
}

HWND VelmTest::GenerationList() const {
  return GetDlgItem(restore_, velm::kGenerationList);
}

HWND VelmTest::PreviewList() const {
  return GetDlgItem(restore_, velm::kPreviewList);
}

std::string VelmTest::RestoreLabel() const {
  return WindowText(GetDlgItem(restore_, velm::kRestoreHeading));
}

testing::AssertionResult VelmTest::Preview(int generation_index) {
  return Pick(GenerationList(), generation_index);
}

testing::AssertionResult VelmTest::LeaveRestore(std::string_view button) {
  E2E_STEP(Click(restore_, button));
  return WaitGone(restore_);
}

}  // namespace e2e
