// The clipboard's text as any program would paste it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "driver/wait.h"

namespace e2e {

// Empties the clipboard, so a later copy can be told from an old one; leaves
// leave on it as CF_UNICODETEXT alone, which a copy must replace.
testing::AssertionResult ClearClipboard(std::wstring_view leave = {});

// Waits until the clipboard holds expected (code page 932) as CF_TEXT and,
// converted, as CF_UNICODETEXT.
testing::AssertionResult WaitClipboardText(const std::string& expected,
                                           Timeout timeout = kDefaultTimeout);

}  // namespace e2e
