// Helpers for the Windows test programs that drive windows in-process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "report_recorder.h"
#include "ui/controls.h"

namespace velm::test {

using testing::ReportRecorder;

// Handles every message already queued for this thread, without waiting.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The events a form fired, in order, as "click:<id>", "pick:<id>", "close".
class RecordingEvents : public ui::FormEvents {
 public:
  void OnClick(int id) override {
    log.push_back("click:" + std::to_string(id));
    if (throw_on_click) throw_on_click();
  }
  void OnPick(int id) override { log.push_back("pick:" + std::to_string(id)); }
  void OnCloseRequest() override { log.push_back("close"); }
  void OnListAction(int id, ui::ListAction action) override {
    log.push_back("action:" + std::to_string(id) + ":" + std::to_string(static_cast<int>(action)));
  }
  std::vector<ui::MenuItem> ListMenu(int) override { return menu; }
  // With start_drags, every drag starts: "drag:<index>", "drop:<from>><to>".
  bool OnDragStart(int, int index) override {
    if (start_drags) log.push_back("drag:" + std::to_string(index));
    return start_drags;
  }
  void OnDrop(int, int from, int to) override {
    log.push_back("drop:" + std::to_string(from) + ">" + std::to_string(to));
  }

  std::vector<std::string> log;
  std::vector<ui::MenuItem> menu;  // every list's shortcut menu
  bool start_drags = false;
  void (*throw_on_click)() = nullptr;
};

// Plays steps on this thread's timer while a modal box runs its own message
// loop: one step per tick, each given the topmost visible window of class
// window_class of this thread (ticks without one are skipped). A step may
// return false to be run again on the next tick. A script that has not
// finished after ten seconds closes the box, so a test fails rather than
// hangs.
class ModalScript {
 public:
  using Step = std::function<bool(HWND dialog)>;
  ModalScript(const char* window_class, std::vector<Step> steps)
      : class_(window_class), steps_(std::move(steps)), deadline_(GetTickCount64() + 10000) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 10, &Tick);
  }
  ~ModalScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool finished() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* self = current_;
    if (!self || self->finished() || self->running_) return;
    HWND dialog = FindWindowA(self->class_, nullptr);
    if (!dialog || !IsWindowVisible(dialog) ||
        GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId())
      return;
    if (GetTickCount64() > self->deadline_) {
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      return;
    }
    self->running_ = true;
    if (self->steps_[self->next_](dialog)) ++self->next_;
    self->running_ = false;
  }

  static inline ModalScript* current_ = nullptr;
  const char* class_;
  std::vector<Step> steps_;
  ULONGLONG deadline_;
  std::size_t next_ = 0;
  UINT_PTR timer_ = 0;
  bool running_ = false;
};

// Sets or clears a modifier key in this thread's keyboard state, as if held.
inline void HoldKey(int virtual_key, bool down) {
  BYTE state[256];
  GetKeyboardState(state);
  state[virtual_key] = down ? 0x80 : 0;
  SetKeyboardState(state);
}

// Posts a key press to the window that has the focus.
inline void PostKey(UINT message, WPARAM key, LPARAM flags = 1) {
  PostMessageA(GetFocus(), message, key, flags);
}

}  // namespace velm::test
