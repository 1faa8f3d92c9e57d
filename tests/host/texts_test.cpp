// Compiled with -fexec-charset=CP932: the literals below are the bytes the
// texts had when the build compiled them to Shift-JIS.
#include <string>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "core/error.h"
#include "core/texts.h"

namespace velm {
namespace {

struct Text {
  const char* const* shown;
  std::string shift_jis;
  std::string utf8;
};

// u8 literals stay UTF-8 whatever the execution character set.
#define VELM_TEXT(name, utf8) {&text::name, utf8, reinterpret_cast<const char*>(u8##utf8)},
const Text kTexts[] = {
#include "core/texts.inc"
};
#undef VELM_TEXT

TEST(Texts, ShiftJisGivesTheCompiledBytesAndUtf8TheWrittenText) {
  text::ShowTexts(932);
  for (const Text& t : kTexts) EXPECT_EQ(*t.shown, t.shift_jis) << t.utf8;
  // 表, ソ and 能 end in 0x5C: the classic victims of a wrong conversion.
  EXPECT_EQ(std::string(text::kButtonSwitchView).substr(0, 2), "\x95\x5C");
  text::ShowTexts(kUtf8CodePage);
  for (const Text& t : kTexts) EXPECT_EQ(*t.shown, t.utf8);
  text::ShowTexts(AnsiCodePage());
}

// Read while the program loads, as a table built at load time would read it.
const std::string kReadAtLoad = text::kExitNoSaveQuestion;

TEST(TextsAtLoad, AreAlreadyInTheSystemCodePage) {
  EXPECT_EQ(kReadAtLoad,
            Utf8ToAnsi(reinterpret_cast<const char*>(u8"保存しないで終了していいですか？")));
}

// The system's own rule cuts a text of its code page between characters
// only: what is left converts to the start of the whole.
TEST(TextsAtLoad, CutByTheSystemsRuleEndOnAWholeCharacter) {
  const std::string whole = AnsiToUtf8(kReadAtLoad);
  std::size_t max = 0;
  while (max <= kReadAtLoad.size() &&
         whole.starts_with(AnsiToUtf8(kReadAtLoad.substr(0, CutLength(kReadAtLoad, max)))))
    ++max;
  EXPECT_GT(max, kReadAtLoad.size()) << "a cut at " << max << " bytes splits a character";
}

TEST(Texts, FormatFillsTheFirstMarker) {
  EXPECT_EQ(FormatText("'%s' x", "url7"), "'url7' x");
  EXPECT_TRUE(FormatText(text::kIndexError, 4).ends_with(" (4)"));
  EXPECT_EQ(FormatText("no marker", "x"), "no marker");
}

}  // namespace
}  // namespace velm
