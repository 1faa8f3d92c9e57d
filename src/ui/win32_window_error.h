// The error raised when the system refuses to create a window: a start-up
// failure when it happens while the program's windows are built.
#pragma once

#include "core/error.h"

namespace velm::ui {

class WindowCreationError : public Error {
 public:
  // where: the code address that asked for the window.
  explicit WindowCreationError(const void* where);
  const void* where() const { return where_; }

 private:
  const void* where_;
};

// Throws WindowCreationError for the caller's call site.
[[noreturn]] void ThrowWindowCreationError();

}  // namespace velm::ui
