// The clipboard's text as any program would paste it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "driver/wait.h"

namespace e2e {

// Empties the clipboard, so a later copy can be told from an old one.
testing::AssertionResult ClearClipboard();

// Puts text on the clipboard as CF_UNICODETEXT alone: a copy that does not
// replace it leaves it there for the next paste.
testing::AssertionResult PutClipboardUnicode(std::wstring_view text);

// Waits until the clipboard's CF_TEXT is expected; unicode, when given,
// receives the CF_UNICODETEXT beside it (both without the final zero).
testing::AssertionResult WaitClipboardText(const std::string& expected,
                                           std::wstring* unicode = nullptr,
                                           Timeout timeout = kDefaultTimeout);

}  // namespace e2e
