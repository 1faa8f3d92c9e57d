// The dialog a program has open on top of its forms: one of its own modal
// dialogs (texts in STATIC controls) or a system message box ("#32770").
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "driver/wait.h"

namespace e2e {

struct DialogView {
  HWND window = nullptr;
  std::string class_name;
  std::string caption;
  std::vector<std::string> texts;    // STATIC controls that hold text, creation order
  std::vector<std::string> buttons;  // button captions, left to right
  HWND edit = nullptr;               // the EDIT control, when there is one
};

// Reads what the dialog shows now.
DialogView ReadDialog(HWND window);

// The topmost visible window of process pid that holds a button and is none of
// forms (the program's own windows, which also hold buttons). nullptr: none.
HWND FindDialog(DWORD pid, const std::vector<HWND>& forms);
testing::AssertionResult WaitDialog(DWORD pid, const std::vector<HWND>& forms, DialogView* out,
                                    Timeout timeout = kDefaultTimeout);

// Presses the button captioned caption and waits for the dialog to close.
testing::AssertionResult Answer(const DialogView& dialog, std::string_view caption);
// Closes the dialog through its close box and waits for it to close.
testing::AssertionResult CloseByCloseBox(const DialogView& dialog);
// Replaces the text of the dialog's EDIT control.
testing::AssertionResult TypeIntoEdit(const DialogView& dialog, std::string_view text);
testing::AssertionResult TypeIntoEdit(const DialogView& dialog, std::wstring_view text);

// The window that has the keyboard focus in the thread of window.
HWND FocusedWindow(HWND window);
// Waits until control has the keyboard focus of its thread.
testing::AssertionResult FocusComesTo(HWND control, Timeout timeout = Timeout{3000});

// Start and end of the selection in an EDIT control.
struct EditSelection {
  int start = 0;
  int end = 0;
};
EditSelection SelectionOf(HWND edit);

}  // namespace e2e
