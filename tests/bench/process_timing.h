// One timed run of a program: started, seen with its window shown, left to
// settle, closed the way a user closes it, seen to end. Every wait has a
// deadline; a program that misses one is terminated by its owner.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "driver/wait.h"

namespace bench {

struct Program {
  std::string exe;           // Windows path of the copy to run
  std::string dir;           // its current folder
  std::string window_class;  // of the window whose showing ends the start-up
  std::string exit_button;   // caption of the button that closes it; empty: WM_CLOSE
};

struct RunOptions {
  e2e::Timeout timeout{30000};            // for each wait
  std::chrono::milliseconds settle{300};  // shown window left alone before the close
};

struct RunSample {
  // Performance counter readings.
  std::int64_t launched = 0;      // just before the process was created
  std::int64_t seen = 0;          // the window first found shown
  std::int64_t close_posted = 0;  // the click (or WM_CLOSE) posted
  std::int64_t ended = 0;         // the process seen to end
  double startup_ms = 0;          // launched -> seen
  double close_ms = 0;            // close_posted -> ended
  // Of the process, read after the settle, before the close.
  std::uint64_t peak_working_set = 0;
  std::uint64_t peak_pagefile = 0;
};

testing::AssertionResult TimeRun(const Program& program, const RunOptions& options, RunSample* out);

}  // namespace bench
