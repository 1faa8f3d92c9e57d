// Base of the tests that drive velm.exe: each test gets its own folder with a
// copy of the program (so its own velm.ini), the history key is removed
// before and after, and the helpers below work the program's two windows the
// way a user does. Every helper returns an AssertionResult, so a failure
// names the test's line that called it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "driver/dialog_access.h"
#include "driver/launched_process.h"
#include "driver/sandbox.h"

namespace e2e {

// pattern with its first "%s" or "%d" replaced by value.
std::string Filled(std::string_view pattern, std::string_view value);
// The seven lines Ctrl+C copies from a message dialog.
std::string DialogCopyText(std::string_view caption, std::string_view message,
                           const std::vector<std::string>& buttons);

class VelmTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string IniPath() const { return sandbox_.File("velm.ini"); }
  testing::AssertionResult WriteIni(std::string_view bytes) const;

  // Starts velm.exe and waits until its main window is shown.
  testing::AssertionResult Start();
  // Starts velm.exe without waiting for anything; show_command as a
  // shortcut's run setting hands it over.
  testing::AssertionResult Launch(int show_command = LaunchedProcess::kDefaultShow);
  testing::AssertionResult WaitMainWindow();
  // Whether the main window is shown right now.
  bool MainWindowShown() const;
  // Waits for the program to end by itself with exit code 0.
  testing::AssertionResult WaitNormalExit();

  // The application's taskbar entry: the window captioned with the title that
  // holds no controls.
  HWND AppWindow() const;

  // Main window.
  HWND ListBox1() const;
  HWND ComboBox1() const;
  // The visible one of the two; nullptr when none or both are.
  HWND CurrentList() const;
  std::vector<std::string> Entries() const;
  int Selection() const;
  std::string Caption() const;

  // A command whose handler opens no dialog; returns when it has run.
  testing::AssertionResult Press(std::string_view caption);
  // A command whose handler opens a dialog; returns with the dialog open.
  testing::AssertionResult PressForDialog(std::string_view caption, DialogView* dialog);
  // A pick in the visible list; returns when the handler has run.
  testing::AssertionResult PickEntry(int index);
  testing::AssertionResult WaitDialog(DialogView* dialog);
  // Presses a dialog button and returns when the handler that opened the
  // dialog has run on.
  testing::AssertionResult AnswerAndSettle(const DialogView& dialog, std::string_view button);

  // The editing commands as a user runs them, through their dialogs.
  testing::AssertionResult ChangeEntry(int index, std::string_view new_text);
  testing::AssertionResult CreateEntry(std::string_view text);
  testing::AssertionResult MoveEntry(int from, int to);
  // "終了", then the end of the process.
  testing::AssertionResult ExitAndWait();

  // Restore window.
  testing::AssertionResult OpenRestore();
  HWND GenerationList() const;
  HWND PreviewList() const;
  std::string RestoreLabel() const;
  testing::AssertionResult Preview(int generation_index);
  // "復旧" or "戻る", then the window hidden.
  testing::AssertionResult LeaveRestore(std::string_view button);

  Sandbox sandbox_;
  LaunchedProcess app_;
  HWND main_ = nullptr;
  HWND restore_ = nullptr;
};

}  // namespace e2e
