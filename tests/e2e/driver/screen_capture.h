// A picture of the whole screen as a 24-bit BMP file, taken when a test fails
// so the windows as they stood can be looked at afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace e2e {

testing::AssertionResult SaveScreenBitmap(const std::string& path);

}  // namespace e2e
