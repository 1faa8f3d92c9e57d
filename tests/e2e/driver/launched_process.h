// One program started by a test. The owner ends it (by its handle) and waits
// for it if the test has not seen it end, so no process outlives its test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/win32_handles.h"
#include "driver/wait.h"

namespace e2e {

using velm::UniqueHandle;

class LaunchedProcess {
 public:
  // -1: start the way a plain double-click does (no STARTF_USESHOWWINDOW).
  static constexpr int kDefaultShow = -1;

  // Starts program with dir as its current folder and its standard handles
  // on NUL, so it cannot hold the test's pipes open. show_command, when not
  // kDefaultShow, is handed over like a shortcut's run setting.
  static testing::AssertionResult Start(const std::string& program, const std::string& dir,
                                        LaunchedProcess* out, int show_command = kDefaultShow);

  LaunchedProcess() = default;
  LaunchedProcess(LaunchedProcess&&) = default;
  LaunchedProcess& operator=(LaunchedProcess&& other) noexcept;
  ~LaunchedProcess() { Stop(); }

  DWORD pid() const { return pid_; }
  bool Running() const;

  // Waits for the process to end on its own and gives its exit code.
  testing::AssertionResult WaitExit(DWORD* exit_code, Timeout timeout = kDefaultTimeout);

  // Terminates the process if it still runs and waits for it to be gone.
  void Stop();

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
};

}  // namespace e2e
