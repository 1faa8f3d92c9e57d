// The one place where an error that escaped a handler is caught: every call
// from a window procedure, and from the headless toolkit of the tests, into
// form or dialog code goes through Dispatch, so no exception crosses a Win32
// callback and a test sees the path the program takes. What is caught goes
// to the one installed reporter: the error report in the program, a
// recorder in tests.
#pragma once

#include <functional>
#include <utility>

#include "core/error.h"

namespace velm::ui {

using ErrorReporter = std::function<void(const Error& error)>;

// Installs reporter; returns the one it replaces.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Hands error to the installed reporter: for an error that a handler shows
// and then goes on.
void Report(const Error& error) noexcept;

// Reports the exception being handled (call only inside a catch block): an
// Error as it is, anything else as an Error of kind kOther.
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
