#include <string>

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/texts.h"

namespace velm {
namespace {

// 表, ソ and 能 end in 0x5C: the classic victims of a wrong conversion.
TEST(Texts, AreShiftJisBytes) {
  EXPECT_EQ(std::string(text::kButtonSwitchView).substr(0, 2), "\x95\x5C");
  EXPECT_EQ(std::string(text::kFontName),
            "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(std::string(text::kCreatePrompt).find("\r\n"), 29u);
}

TEST(Texts, FormatFillsTheFirstMarker) {
  EXPECT_EQ(FormatText("'%s' x", "url7"), "'url7' x");
  EXPECT_TRUE(FormatText(text::kIndexError, 4).ends_with(" (4)"));
  EXPECT_EQ(FormatText("no marker", "x"), "no marker");
}

}  // namespace
}  // namespace velm
