#include "process_timing.h"

#include <windows.h>

#include <psapi.h>

#include "driver/control_access.h"
#include "driver/launched_process.h"
#include "qpc_clock.h"

namespace bench {

namespace {

// The shown top-level window of class cls that belongs to pid, or nullptr.
// Found by class first: one request to the window server per probe, so the
// polling takes as little as possible from the program it watches.
HWND FindShown(DWORD pid, const std::string& cls) {
  for (HWND window = FindWindowExA(nullptr, nullptr, cls.c_str(), nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, cls.c_str(), nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

testing::AssertionResult WaitShown(e2e::LaunchedProcess& process, const std::string& cls,
                                   e2e::Timeout timeout, HWND* out) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
  for (;;) {
    if ((*out = FindShown(process.pid(), cls)) != nullptr) return testing::AssertionSuccess();
    if (!process.Running()) {
      return testing::AssertionFailure() << "the program ended before its window showed";
    }
    if (GetTickCount64() >= deadline) {
      return testing::AssertionFailure()
             << "no shown window of class " << cls << " within " << timeout.count() << " ms";
    }
    Sleep(1);
  }
}

void ReadPeakMemory(DWORD pid, RunSample* out) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) return;
  e2e::UniqueHandle owned(process);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    out->peak_working_set = counters.PeakWorkingSetSize;
    out->peak_pagefile = counters.PeakPagefileUsage;
  }
}

}  // namespace

testing::AssertionResult TimeRun(const Program& program, const RunOptions& options,
                                 RunSample* out) {
  RunSample sample;
  e2e::LaunchedProcess process;
  sample.launched = CounterNow();
  if (testing::AssertionResult started =
          e2e::LaunchedProcess::Start(program.exe, program.dir, &process);
      !started) {
    return started;
  }
  HWND window = nullptr;
  if (testing::AssertionResult shown =
          WaitShown(process, program.window_class, options.timeout, &window);
      !shown) {
    return shown;
  }
  sample.seen = CounterNow();

  Sleep(static_cast<DWORD>(options.settle.count()));
  ReadPeakMemory(process.pid(), &sample);
  HWND target = window;
  UINT message = WM_CLOSE;
  if (!program.exit_button.empty()) {
    target = e2e::ButtonByCaption(window, program.exit_button);
    if (target == nullptr) return testing::AssertionFailure() << "no exit button";
    message = BM_CLICK;
  }
  sample.close_posted = CounterNow();
  PostMessageA(target, message, 0, 0);
  DWORD exit_code = 0;
  if (testing::AssertionResult ended = process.WaitExit(&exit_code, options.timeout); !ended) {
    return ended;
  }
  sample.ended = CounterNow();
  if (exit_code != 0) return testing::AssertionFailure() << "exit code " << exit_code;

  sample.startup_ms = TicksToMs(sample.seen - sample.launched);
  sample.close_ms = TicksToMs(sample.ended - sample.close_posted);
  *out = sample;
  return testing::AssertionSuccess();
}

}  // namespace bench
