// The one place where an error that escaped a handler is caught: every call
// from a window procedure into form or dialog code goes through Dispatch, so
// no exception crosses a Win32 callback. The shell installs the error report
// as the reporter; tests install their own.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace velm::ui {

using ErrorReporter = std::function<void(const std::string& message)>;

// Installs reporter; returns the one it replaces.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Shows the exception being handled (call only inside a catch block).
void ReportCurrentError() noexcept;

// Runs f; an escaping error is reported. false: f did not complete.
template <typename F>
bool Dispatch(F&& f) noexcept {
  try {
    std::forward<F>(f)();
    return true;
  } catch (...) {
    ReportCurrentError();
    return false;
  }
}

}  // namespace velm::ui
