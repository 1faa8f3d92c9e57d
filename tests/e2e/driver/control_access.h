// Reading and working the controls of another process's windows.
//
// Clicks and picks come in two deliveries. The plain ones (Click, Pick) are
// sent and return once the program's handler has finished: use them when the
// handler opens no dialog. The Post ones return at once: use them when the
// handler opens a modal dialog (a sent message would block until the dialog
// closes) or ends the program, and then wait for that dialog or that end.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "driver/wait.h"

namespace e2e {

// How long a sent message may take before the driver gives up on it.
inline constexpr Timeout kSendTimeout{8000};

// Text of an EDIT control (asked from the control itself), in the code page
// or as the control holds it.
std::string EditText(HWND edit);
std::wstring WideEditText(HWND edit);

RECT OuterRect(HWND window);
int OuterHeight(HWND window);
SIZE ClientSize(HWND window);
bool IsEnabled(HWND window);
bool IsShown(HWND window);

// Entries of a LISTBOX or COMBOBOX, as ANSI code-page text or as the
// control holds them.
std::vector<std::string> ListItems(HWND list);
std::vector<std::wstring> WideListItems(HWND list);
// Selected position of a LISTBOX or COMBOBOX, -1 for none.
int SelectedIndex(HWND list);

// Returns once window's thread has handled everything sent before.
testing::AssertionResult Settle(HWND window);

testing::AssertionResult Click(HWND button);
void PostClick(HWND button);
// The button of parent captioned caption.
testing::AssertionResult Click(HWND parent, std::string_view caption);
testing::AssertionResult PostClick(HWND parent, std::string_view caption);
HWND ButtonByCaption(HWND parent, std::string_view caption);

// A user's pick in a LISTBOX or COMBOBOX: the selection moves to index and
// the parent gets the selection-change notification, as after a mouse click.
testing::AssertionResult Pick(HWND list, int index);
testing::AssertionResult PostPick(HWND list, int index);

// The close box, Alt+F4 and the system menu's Close all send WM_CLOSE.
void PostClose(HWND window);

}  // namespace e2e
