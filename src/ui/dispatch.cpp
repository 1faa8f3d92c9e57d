#include "ui/win32_dispatch.h"

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

void ReportCurrentError() noexcept {
  try {
    std::string message;
    try {
      throw;
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
      message = text::kUnknownError;
    }
    if (Reporter()) Reporter()(message);
  } catch (...) {
    // Out of memory while reporting: nothing more can be shown.
  }
}

}  // namespace velm::ui
