// Pictures of the screen as 24-bit BMP files: the whole screen, taken when a
// test fails so the windows as they stood can be looked at afterwards, or one
// window's area, for the screenshot tour.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/wait.h"

namespace e2e {

// Pixels as a BMP file holds them: 24-bit, rows bottom-up, each row padded
// to a multiple of four bytes.
struct ScreenPicture {
  int width = 0;
  int height = 0;
  std::vector<char> pixels;

  friend bool operator==(const ScreenPicture&, const ScreenPicture&) = default;
};

// Copies area (screen coordinates) cut to the screen; fails when no part of
// it is on the screen.
testing::AssertionResult CaptureScreen(const RECT& area, ScreenPicture* out);
// Copies area once it has stood still for a moment, so a window that is
// still painting is not caught half drawn. When it never stands still within
// timeout (a blinking caret can do that), the last copy is taken.
testing::AssertionResult CaptureSettled(const RECT& area, ScreenPicture* out,
                                        Timeout timeout = Timeout{3000});

testing::AssertionResult SaveBitmapFile(const std::string& path, const ScreenPicture& picture);
testing::AssertionResult SaveScreenBitmap(const std::string& path);

}  // namespace e2e
