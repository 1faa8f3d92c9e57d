#include <string>

#include <gtest/gtest.h>

#include "core/ansi_text.h"

namespace velm {
namespace {

const LeadByteTable kShiftJis = LeadByteTable::ForCodePage(932);
const LeadByteTable kWestern = LeadByteTable::ForCodePage(1252);

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

}  // namespace
}  // namespace velm
