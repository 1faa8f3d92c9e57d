#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "recording_file.h"
#include "scratch_dir.h"
#include "stores/portable_settings_file.h"
#include "stores/settings.h"
#include "stores/settings_text.h"

namespace velm::testing {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ParseStoredInteger, ReadsDecimalAndEveryHexSpelling) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},
      {"-0", 0},
      {"7", 7},
      {"+7", 7},
      {"-7", -7},
      {"007", 7},
      {"   12", 12},
      {"0x20", 32},
      {"0X20", 32},
      {"$20", 32},
      {"x20", 32},
      {"X1f", 31},
      {"  0x20", 32},
      {"  $aB", 171},
      {"$FFFFFFFF", -1},
      {"0x80000000", kMin},
      {"$0000000001", 1},
      {"2147483647", kMax},
      {"-2147483648", kMin},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseStoredInteger(c.text, 42), c.value) << c.text;
}

TEST(ParseStoredInteger, InvalidTextGivesTheFallback) {
  const char* cases[] = {
      "",    " ",     "12px", "0x", "$",    "x",          "-$20",        "+0x5",
      "-x1", "--1",   "+-1",  "1 ", "\t1",  "2147483648", "-2147483649", "$100000000",
      "1.5", "0x0x1", "- 1",  "$g", "00x5", "+",
  };
  for (const char* text : cases) EXPECT_EQ(ParseStoredInteger(text, 42), 42) << text;
}

// A double-byte code page as Wine converts it: a lead byte takes the next
// byte with it, whatever that is; a lead byte at the very end is "?".
class DoubleByteCodec : public PortableSettingsFile {
 public:
  std::u16string Widen(std::string_view ansi) override {
    ++calls;
    std::u16string wide;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto byte = static_cast<unsigned char>(ansi[i]);
      if (!IsLeadByte(byte)) {
        wide += static_cast<char16_t>(byte);
      } else if (i + 1 == ansi.size()) {
        wide += u'?';
      } else {
        wide += static_cast<char16_t>(byte << 8 | static_cast<unsigned char>(ansi[++i]));
      }
    }
    return wide;
  }
  std::string Narrow(std::u16string_view wide) override {
    std::string ansi;
    for (char16_t c : wide) {
      if (c > 0xFF) ansi += static_cast<char>(c >> 8);
      ansi += static_cast<char>(c & 0xFF);
    }
    return ansi;
  }
  int calls = 0;
};

TEST(AnsiRoundTrip, ConvertsOnlyAroundHighBytesAndAgreesWithTheWholeText) {
  const std::string gap(100, 'a');
  // 表 is 95 5C: its trail byte is ASCII. Lone lead bytes before CR, before
  // a long ASCII run and at the end.
  const std::string texts[] = {
      "\x95\x5C=\x95\x5C\r\n",
      "k=\x81\r\n[s]\r\n" + gap + "\x95\x5C\x95" + gap + "\x82",
      "\x81" + gap + "\x95\x5C" + std::string(10, 'b') + "\x95\x5C\xA0\x95",
      "\x95",
  };
  for (const std::string& text : texts) {
    DoubleByteCodec codec;
    EXPECT_EQ(AnsiRoundTrip(text, codec), codec.Narrow(codec.Widen(text)));
  }
  DoubleByteCodec codec;
  EXPECT_EQ(AnsiRoundTrip("[FORM]\r\nTOP=1" + gap, codec), "[FORM]\r\nTOP=1" + gap);
  EXPECT_EQ(codec.calls, 0) << "ASCII reads the same in every code page";
}

TEST(IniDocument, AWrittenLineThatReadsAsAHeaderStartsASectionAsOnTheNextRead) {
  const std::string text = "[a]\r\n[k=1\r\nz=2\r\n[c]\r\ny=3\r\n";
  IniDocument doc = IniDocument::Parse(text);
  const IniDocument before = doc;
  EXPECT_TRUE(doc.Set("a", "[k", "]"));  // "[k=]": section "k=", z with it
  EXPECT_TRUE(doc.Set("a", "q", "[x]"));
  EXPECT_TRUE(doc.Set("new", "[n]", "v"));
  IniDocument reread = IniDocument::Parse(doc.Serialize());
  for (IniDocument* d : {&doc, &reread}) {
    EXPECT_EQ(d->Find("a", "q"), "[x]");
    EXPECT_EQ(d->Find("a", "z"), std::nullopt);
    EXPECT_EQ(d->Find("k=", "z"), "2");
    EXPECT_EQ(d->Find("c", "y"), "3");
    EXPECT_EQ(d->Find("new", "[n]"), std::nullopt);
  }
  EXPECT_EQ(before.Serialize(), text) << "copies stay apart";
}

class SettingsTest : public ::testing::Test {
 protected:
  std::string Raw(std::string_view section, std::string_view key) {
    return Settings(plain_file_, ini_).ReadString(section, key);
  }

  ScratchDir dir_;
  std::string ini_ = dir_.File("velm.ini");
  PortableSettingsFile plain_file_;
  RecordingFile file_{plain_file_};
};

TEST_F(SettingsTest, WritesIntegersAsPlainDecimalAndBooleansAsOneOrZero) {
  {
    Settings settings(file_, ini_);
    settings.WriteInteger("FORM", "TOP", -20);
    settings.WriteInteger("FORM", "LEFT", 0);
    settings.WriteInteger("FORM", "MIN", kMin);
    settings.WriteBool("FORM", "LSTFLAG", false);
    settings.WriteBool("FORM", "ON", true);
    settings.Commit();
  }
  EXPECT_EQ(file_.replaces(), 1) << "five writes, one replacement";
  EXPECT_EQ(Raw("FORM", "TOP"), "-20");
  EXPECT_EQ(Raw("FORM", "LEFT"), "0");
  EXPECT_EQ(Raw("FORM", "MIN"), "-2147483648");
  EXPECT_EQ(Raw("FORM", "LSTFLAG"), "0");
  EXPECT_EQ(Raw("FORM", "ON"), "1");
}

TEST_F(SettingsTest, ReadBooleanIsReadIntegerAgainstZero) {
  Settings settings(file_, ini_);
  EXPECT_TRUE(settings.ReadBool("FORM", "LSTFLAG", true));  // no file
  EXPECT_FALSE(settings.ReadBool("FORM", "LSTFLAG", false));
  const struct {
    const char* stored;
    bool with_true_default;
    bool with_false_default;
  } cases[] = {{"0", false, false}, {"1", true, true},    {"2", true, true},
               {"-1", true, true},  {"$0", false, false}, {"false", true, false},
               {"no", true, false}, {"0px", true, false}};
  for (const auto& c : cases) {
    settings.WriteString("FORM", "LSTFLAG", c.stored);
    EXPECT_EQ(settings.ReadBool("FORM", "LSTFLAG", true), c.with_true_default) << c.stored;
    EXPECT_EQ(settings.ReadBool("FORM", "LSTFLAG", false), c.with_false_default) << c.stored;
  }
}

TEST_F(SettingsTest, RefusedCommitRaisesTheSettingsWriteErrorAndWritesNothing) {
  {
    Settings settings(file_, ini_);
    settings.WriteInteger("FORM", "TOP", 1);
    settings.Commit();
  }
  file_.RefuseWrites();
  Settings settings(file_, ini_);
  settings.WriteBool("FORM", "LSTFLAG", false);
  settings.WriteInteger("FORM", "TOP", 5);
  EXPECT_EQ(settings.ReadInteger("FORM", "TOP", 0), 5) << "staged writes read back at once";
  try {
    settings.Commit();
    FAIL() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kSettingsWrite);
    EXPECT_EQ(e.what(), FormatText(text::kSettingsWriteError, ini_));
  }
  EXPECT_EQ(Raw("FORM", "LSTFLAG"), "");
  EXPECT_EQ(Raw("FORM", "TOP"), "1");
}

TEST_F(SettingsTest, LineBreaksAreRefusedBeforeReachingTheFile) {
  Settings settings(file_, ini_);
  EXPECT_THROW(settings.WriteString("OldUrl1", "url1", "http://a/\r\n[FORM]"), Error);
  EXPECT_THROW(settings.WriteString("OldUrl1", "url1", "a\nb"), Error);
  EXPECT_THROW(settings.WriteString("OldUrl1", "url\r1", "a"), Error);
  EXPECT_THROW(settings.WriteString("Old\nUrl1", "url1", "a"), Error);
  settings.Commit();
  EXPECT_EQ(file_.replaces(), 0);
  EXPECT_FALSE(std::filesystem::exists(ini_));
}

TEST_F(SettingsTest, DeletesNeverFailVisiblyAndTheFileIsReadOnce) {
  {
    Settings settings(file_, ini_);
    settings.DeleteKey("FORM", "TOP");  // no file at all
    settings.Commit();
    EXPECT_FALSE(std::filesystem::exists(ini_)) << "nothing changed, nothing written";
    settings.WriteString("FORM", "TOP", "1");
    settings.WriteString("FORM", "LEFT", "2");
    settings.Commit();
  }
  file_.RefuseWrites();
  Settings settings(file_, ini_);
  settings.DeleteKey("FORM", "TOP");
  settings.DeleteKey("FORM", "TOP");
  EXPECT_EQ(settings.ReadString("FORM", "TOP"), "");
  EXPECT_NO_THROW(settings.Commit());
  EXPECT_EQ(Raw("FORM", "TOP"), "1");
  EXPECT_EQ(file_.loads(), 2) << "one reading per handle";
}

}  // namespace
}  // namespace velm::testing
