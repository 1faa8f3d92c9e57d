#include "ui/win32_window_error.h"

#include "core/texts.h"

namespace velm::ui {

WindowCreationError::WindowCreationError(const void* where)
    : Error(ErrorKind::kOther, text::kWindowCreateError), where_(where) {}

// Not inlined, so the return address is the place that wanted the window.
[[gnu::noinline]] void ThrowWindowCreationError() {
  throw WindowCreationError(__builtin_return_address(0));
}

}  // namespace velm::ui
