// Helpers for the Windows test programs that drive windows in-process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/win32_dispatch.h"

namespace velm::test {

// Handles every message already queued for this thread, without waiting.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Records the messages the error reporter would show, for the lifetime of
// the object.
class ReportRecorder {
 public:
  ReportRecorder() {
    previous_ = ui::SetErrorReporter([this](const std::string& m) { messages.push_back(m); });
  }
  ~ReportRecorder() { ui::SetErrorReporter(std::move(previous_)); }
  std::vector<std::string> messages;

 private:
  ui::ErrorReporter previous_;
};

// The events a form fired, in order, as "click:<id>", "pick:<id>", "close".
class RecordingEvents : public ui::FormEvents {
 public:
  void OnClick(int id) override {
    log.push_back("click:" + std::to_string(id));
    if (throw_on_click) throw_on_click();
  }
  void OnPick(int id) override { log.push_back("pick:" + std::to_string(id)); }
  void OnCloseRequest() override { log.push_back("close"); }

  std::vector<std::string> log;
  void (*throw_on_click)() = nullptr;
};

}  // namespace velm::test
