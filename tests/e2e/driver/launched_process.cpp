#include "driver/launched_process.h"

#include <utility>

namespace e2e {

namespace {

// Exit code given to a program the owner had to terminate.
constexpr UINT kTerminatedExitCode = 0xDEAD;
constexpr DWORD kStopWaitMs = 10000;
constexpr int kStartAttempts = 3;
constexpr DWORD kStartRetryMs = 200;

UniqueHandle OpenNul() {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, OPEN_EXISTING, 0, nullptr);
  return UniqueHandle(nul == INVALID_HANDLE_VALUE ? nullptr : nul);
}

}  // namespace

testing::AssertionResult LaunchedProcess::Start(const std::string& program, const std::string& dir,
                                                LaunchedProcess* out, int show_command) {
  UniqueHandle nul = OpenNul();
  if (!nul)
    return testing::AssertionFailure() << "cannot open NUL (error " << GetLastError() << ")";

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
  if (show_command != kDefaultShow) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show_command);
  }
  std::string command_line = "\"" + program + "\"";
  PROCESS_INFORMATION info{};
  // Wine now and then refuses to start a process with ERROR_INTERNAL_ERROR
  // (seen once in a few hundred starts of a test run); a few tries,
  // a moment apart, tell that from a program that really cannot start.
  DWORD error = 0;
  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    if (attempt > 0) Sleep(kStartRetryMs);
    if (CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       dir.c_str(), &startup, &info)) {
      error = 0;
      break;
    }
    error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR) break;
  }
  if (error != 0) {
    return testing::AssertionFailure() << "cannot start " << program << " (error " << error << ")";
  }
  CloseHandle(info.hThread);
  out->Stop();
  out->process_.reset(info.hProcess);
  out->pid_ = info.dwProcessId;
  return testing::AssertionSuccess();
}

LaunchedProcess& LaunchedProcess::operator=(LaunchedProcess&& other) noexcept {
  if (this != &other) {
    Stop();
    process_ = std::move(other.process_);
    pid_ = std::exchange(other.pid_, 0);
  }
  return *this;
}

bool LaunchedProcess::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

testing::AssertionResult LaunchedProcess::WaitExit(DWORD* exit_code, Timeout timeout) {
  if (!process_) return testing::AssertionFailure() << "no process was started";
  const DWORD wait = WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count()));
  if (wait != WAIT_OBJECT_0) {
    return testing::AssertionFailure()
           << "process " << pid_ << " still runs after " << timeout.count() << " ms";
  }
  if (!GetExitCodeProcess(process_.get(), exit_code)) {
    return testing::AssertionFailure() << "no exit code (error " << GetLastError() << ")";
  }
  return testing::AssertionSuccess();
}

void LaunchedProcess::Stop() {
  if (!process_) return;
  if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), kTerminatedExitCode);
    WaitForSingleObject(process_.get(), kStopWaitMs);
  }
  process_.reset();
  pid_ = 0;
}

}  // namespace e2e
