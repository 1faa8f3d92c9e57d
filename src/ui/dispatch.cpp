#include "ui/dispatch.h"

#include <exception>

#include "core/texts.h"

namespace velm::ui {

namespace {
ErrorReporter& Reporter() {
  static ErrorReporter reporter;
  return reporter;
}
}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  return std::exchange(Reporter(), std::move(reporter));
}

void Report(const Error& error) noexcept {
  try {
    if (Reporter()) Reporter()(error);
  } catch (...) {
    // Out of memory while reporting: nothing more can be shown.
  }
}

void ReportCurrentError() noexcept {
  try {
    try {
      throw;
    } catch (const Error& e) {
      Report(e);
    } catch (const std::exception& e) {
      Report(Error(ErrorKind::kOther, e.what()));
    } catch (...) {
      Report(Error(ErrorKind::kOther, text::kUnknownError));
    }
  } catch (...) {
    // Out of memory while reporting: nothing more can be shown.
  }
}

}  // namespace velm::ui
