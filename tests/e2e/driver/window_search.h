// Finding the windows of another process: top-level windows by process,
// class and caption, children by class and caption. Class names compare
// without regard to case (the system registers "Button", tests say BUTTON).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "driver/wait.h"

namespace e2e {

std::string ClassName(HWND window);
// The caption or control text as the system keeps it; safe across processes
// (no message is sent). Not for EDIT controls: see EditText.
std::string WindowText(HWND window);

// What a search asks for; an empty field matches anything.
struct WindowMatch {
  std::string_view class_name = {};
  std::string_view caption = {};
  bool visible_only = true;
};

bool Matches(HWND window, const WindowMatch& match);

// Top-level windows of process pid, topmost first.
std::vector<HWND> TopLevelWindows(DWORD pid);
HWND FindTopLevel(DWORD pid, const WindowMatch& match);
testing::AssertionResult WaitTopLevel(DWORD pid, const WindowMatch& match, HWND* out,
                                      Timeout timeout = kDefaultTimeout);

// Direct children of parent in creation order.
std::vector<HWND> ChildWindows(HWND parent);
HWND FindChild(HWND parent, const WindowMatch& match);
std::vector<HWND> FindChildren(HWND parent, const WindowMatch& match);

// Waits until window is destroyed or hidden.
testing::AssertionResult WaitGone(HWND window, Timeout timeout = kDefaultTimeout);

}  // namespace e2e
