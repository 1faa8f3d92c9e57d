#include <string>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "core/entry_text.h"

namespace velm {
namespace {

const LeadByteTable kShiftJis = LeadByteTable::ForCodePage(932);
const LeadByteTable kWestern = LeadByteTable::ForCodePage(1252);
const LeadByteTable kUtf8 = LeadByteTable::ForCodePage(kUtf8CodePage);

// "é" in code page 1252 is 0xE9, a lead byte in 932: the same bytes split
// differently by the page they are read in.
const std::string kCafePath = "C:\\Caf\xE9\\velm.exe";

TEST(AnsiText, LeadBytesFollowTheCodePage) {
  EXPECT_FALSE(kShiftJis.IsLead(0xA0));  // half-width katakana are single bytes
  EXPECT_FALSE(kShiftJis.IsLead(0xFD));
  EXPECT_TRUE(LeadByteTable::ForCodePage(936).IsLead(0xFD));
  for (unsigned c = 0; c < 256; ++c) EXPECT_FALSE(kWestern.IsLead(static_cast<unsigned char>(c)));
  for (unsigned c = 0xF0; c <= 0xFC; ++c) EXPECT_TRUE(SystemLeadBytes().IsLead(c)) << c;
}

TEST(AnsiText, FolderEndsAtTheLastSeparatorOfItsOwn) {
  EXPECT_EQ(FolderLength(kCafePath, kWestern), 8u);
  EXPECT_EQ(FolderLength(kCafePath, kShiftJis), 3u);               // 0xE9 takes the "\" after it
  EXPECT_EQ(FolderLength("C:\\\x95\\\\velm.exe", kShiftJis), 6u);  // 表 ends in 0x5C
  EXPECT_EQ(FolderLength("velm.exe", kShiftJis), 0u);
}

TEST(AnsiText, CutNeverSplitsACharacterOfThePage) {
  const std::string text = "ab\xE9\x40z";
  EXPECT_EQ(CutLength(text, 3, kShiftJis), 2u);
  EXPECT_EQ(CutLength(text, 3, kWestern), 3u);
  EXPECT_EQ(CutLength(text, 4, kShiftJis), 4u);
  // A lone lead byte at the end: a text that fits is not cut, but it is not
  // whole either.
  EXPECT_EQ(CutLength("ab\xE9", 3, kShiftJis), 3u);
  EXPECT_EQ(WholeLength("ab\xE9", kShiftJis), 2u);
  EXPECT_EQ(WholeLength("ab\xE9", kWestern), 3u);
  EXPECT_EQ(WholeLength(text, kShiftJis), 5u);
}

// A system set to UTF-8: a value of 3- and 4-byte characters cut for the
// 2,047 bytes of a settings value ends on a whole character.
TEST(AnsiText, Utf8CutFallsOnAWholeCharacter) {
  std::string value = "ab";
  while (value.size() < 3000) value += "\xE8\xA1\xA8\xF0\x9F\x98\x80";  // 表, U+1F600
  const std::size_t cut = CutLength(value, 2047, kUtf8);
  EXPECT_EQ(cut, 2046u);
  EXPECT_EQ(WholeLength(value.substr(0, cut), kUtf8), cut);
  EXPECT_EQ(Utf8ToUtf16(value.substr(0, cut)).find(u'\xFFFD'), std::u16string::npos);
  EXPECT_EQ(CutLength(value, 2052, kUtf8), 2049u);  // U+1F600 would end at 2053
  // A sequence cut short at the end is not whole; a stray trail byte is.
  EXPECT_EQ(WholeLength("a\xE8\xA1", kUtf8), 1u);
  EXPECT_EQ(WholeLength("a\xA1", kUtf8), 2u);
  EXPECT_EQ(LastCharStart("a\xF0\x9F\x98\x80", kUtf8), 1u);
  // C0 and C1 (overlong forms of ASCII), F5 and above, and trail bytes begin
  // no sequence: each stands alone, whatever follows.
  for (const char* lone : {"\xC0\x80", "\xC1\xBF", "\x80\x80", "\xBF\x80", "\xF5\x80\x80\x80"})
    EXPECT_EQ(kUtf8.CharLength(lone), 1u) << std::hex << (static_cast<unsigned char>(lone[0]) + 0);
}

// An entry goes back unit for unit, also one that is not valid UTF-16.
TEST(EntryText, Utf16RoundTripsExactly) {
  const std::u16string values[] = {u"http://k.example/?q=\uD55C\uAD6D\uC5B4\U0001F600\u00E9",
                                   u"a\xD800z",
                                   u"\xDC00",
                                   u"\xD83D",
                                   u"\xDE00\xD83D",
                                   u""};
  for (const std::u16string& value : values) EXPECT_EQ(Wtf8ToUtf16(Utf16ToWtf8(value)), value);
  EXPECT_EQ(Utf16ToWtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToWtf8(u"a\xD800"), "a\xED\xA0\x80");
  EXPECT_EQ(Wtf8ToUtf16("\xFFz"), u"\uFFFDz");
}

// Only a text the code page gives back as it was has a form there.
TEST(EntryText, ExactAnsiRefusesLookAlikes) {
  EXPECT_EQ(ExactAnsi("http://\xE8\xA1\xA8/"), "http://\x95\x5C/");  // 表
  EXPECT_EQ(ExactAnsi("http://a/"), "http://a/");
  for (const char* text : {"caf\xC3\xA9", "\xC2\xA5", "\xE3\x80\x9C", "\xE2\x88\x92",
                           "\xED\x95\x9C", "\xED\xA0\x80"}) {
    EXPECT_FALSE(ExactAnsi(text)) << text;
  }
  EXPECT_EQ(BackupUnits("\xE8\xA1\xA8"), 2u);      // two bytes of 932
  EXPECT_EQ(BackupUnits("\xF0\x9F\x98\x80"), 2u);  // a surrogate pair
  EXPECT_EQ(BackupUnits("caf\xC3\xA9"), 4u);
}

}  // namespace
}  // namespace velm
