// Records the messages the installed error reporter would show, for the
// lifetime of the object; the reporter it replaced comes back afterwards.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/dispatch.h"

namespace velm::testing {

class ReportRecorder {
 public:
  ReportRecorder() {
    previous_ = ui::SetErrorReporter([this](const Error& e) { messages.push_back(e.what()); });
  }
  ~ReportRecorder() { ui::SetErrorReporter(std::move(previous_)); }
  ReportRecorder(const ReportRecorder&) = delete;
  ReportRecorder& operator=(const ReportRecorder&) = delete;

  std::vector<std::string> messages;

 private:
  ui::ErrorReporter previous_;
};

}  // namespace velm::testing
