#pragma once

namespace velm {

// Shows the start-up failure box for the exception being handled (call it
// inside a catch block): the error's type, the module and offset where it
// was raised, and its message. Never throws.
void ShowStartupFailure() noexcept;

}  // namespace velm
