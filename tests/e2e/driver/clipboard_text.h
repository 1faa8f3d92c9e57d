// The clipboard's CF_TEXT as any program would paste it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "driver/wait.h"

namespace e2e {

// Empties the clipboard, so a later copy can be told from an old one.
testing::AssertionResult ClearClipboard();

// Waits until the clipboard holds text and gives it (without the final zero).
testing::AssertionResult WaitClipboardText(std::string* out, Timeout timeout = kDefaultTimeout);

}  // namespace e2e
