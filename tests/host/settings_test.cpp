#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "portable_settings_file.h"
#include "recording_file.h"
#include "scratch_dir.h"
#include "stores/file_replacement.h"
#include "stores/settings.h"

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

// Each step answers as scripted ("d" done, "b" busy, "r" refused, "f"
// failed; done when the script has run out) and is logged in order.
struct ScriptedSteps : ReplacementSteps {
  ScriptedSteps(const char* writes, const char* moves) : writes(writes), moves(moves) {}
  StepResult Next(std::string& script, char step) {
    log += step;
    const char c = (script + 'd')[0];
    script.erase(0, 1);
    return static_cast<StepResult>(std::string_view("dbrf").find(c));
  }
  StepResult WriteTemporary(std::string_view) override { return Next(writes, 'W'); }
  StepResult MoveOver() override { return Next(moves, 'M'); }
  void Remove() override { log += 'X'; }
  void Pause(int ms) override { log += ms == kReplacePauseMilliseconds ? 'p' : '?'; }
  std::string writes, moves, log;
};

// Only a hold is tried again; a failed try first removes the file it made.
TEST(FileReplacement, EachTryCleansUpAndOnlyAHoldIsTriedAgain) {
  const struct {
    const char *writes, *moves;
    StepResult result;
    const char* log;
  } cases[] = {
      {"bd", "bd", StepResult::kDone, "WpWMXpWM"},  // temporary file, then velm.ini held
      {"r", "", StepResult::kRefused, "W"},         // a folder that takes no new file
      {"f", "", StepResult::kFailed, "WX"},         // the temporary file came up short
      {"", "f", StepResult::kFailed, "WMX"},
      {"", "bbbbbb", StepResult::kBusy, "WMXpWMXpWMXpWMXpWMXpWMX"},  // half a second
  };
  for (const auto& c : cases) {
    ScriptedSteps steps(c.writes, c.moves);
    EXPECT_EQ(ReplaceThroughTemporary(steps, "new"), c.result) << c.log;
    EXPECT_EQ(steps.log, c.log);
  }
}

// A file rewritten where it lies, each step logged ("S" size, "R" resize,
// "T" the tail past the old end, "H" the head over the old bytes, "F"
// flush); the step named by failing fails once.
struct MemoryInPlaceFile : InPlaceFile {
  MemoryInPlaceFile(std::string bytes, char failing) : bytes(std::move(bytes)), failing(failing) {}
  bool Step(char step) {
    log += step;
    return std::exchange(failing, failing == step ? '\0' : failing) != step;
  }
  bool Size(std::uint64_t* size) override {
    *size = bytes.size();
    return Step('S');
  }
  bool Resize(std::uint64_t size) override {
    if (!Step('R')) return false;
    bytes.resize(size);
    return true;
  }
  bool WriteAt(std::uint64_t offset, std::string_view data) override {
    if (!Step(log.find('T') == std::string::npos ? 'T' : 'H')) return false;
    bytes.replace(offset, data.size(), data);
    return true;
  }
  bool Flush() override { return Step('F'); }
  std::string bytes;
  char failing;
  std::string log;
};

// The old length comes back when the tail does not fit; only a whole file,
// flushed, counts as written.
TEST(FileReplacement, ARewriteInPlaceIsWholeAndFlushedOrTheOldLength) {
  const std::string old_bytes = "[FORM]\r\nTOP=1\r\n", longer = "[FORM]\r\nTOP=1234567\r\n";
  const struct {
    char failing;
    bool written;
    const char* log;
    std::string after;
  } cases[] = {
      {0, true, "SRTHF", longer},
      {'R', false, "SR", old_bytes},
      {'T', false, "SRTR", old_bytes},
      {'H', false, "SRTH", old_bytes + longer.substr(old_bytes.size())},
      {'F', false, "SRTHF", longer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.log);
    MemoryInPlaceFile file(old_bytes, c.failing);
    EXPECT_EQ(RewriteInPlace(file, longer), c.written);
    EXPECT_EQ(file.log, c.log);
    EXPECT_EQ(file.bytes, c.after);
  }
}

// Trail bytes in the lead range: a wrong whole-character count would drop
// the last byte of a value that ends in them.
TEST_F(SettingsTest, AValueIsTakenAsThePlatformTakesItInEveryEncoding) {
  const std::string ramen = "\xE3\x83\xA9\xE3\x83\xBC\xE3\x83\xA1\xE3\x83\xB3";  // ラーメン
  const std::string small_a = "\xE3\x81\x81";                                    // ぁ
  const std::string hangul = "\xED\x95\x9C";  // 한: not in the code page
  // 2,047 bytes of the code page: 2,043 UTF-16 units.
  const std::string whole[] = {std::string(2047 - 8, 'u') + ramen, "http://x/" + ramen + small_a};
  for (const std::string bom : {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    SCOPED_TRACE(bom.size());
    WriteBytes(ini_, bom);
    for (const std::string& value : whole) {
      Settings settings(file_, ini_);
      settings.WriteString("OldUrl1", "url1", value);
      settings.Commit();
      EXPECT_EQ(Raw("OldUrl1", "url1"), value);
    }
    Settings settings(file_, ini_);
    settings.WriteString("OldUrl1", "url2", "http://a/\r\n[FORM]\nTOP=9");
    settings.WriteString("OldUrl1", "url3", ramen + hangul);
    settings.Commit();
    EXPECT_EQ(Raw("OldUrl1", "url2"), "http://a/[FORM]TOP=9") << "line breaks dropped";
    EXPECT_EQ(Raw("FORM", "TOP"), "");
    EXPECT_EQ(Raw("OldUrl1", "url3"), ramen + hangul);
    EXPECT_EQ(Raw("OldUrl1", "url1"), whole[1]);
    EXPECT_EQ(ReadBytes(ini_).substr(0, 2), bom.empty() ? "\xFF\xFE" : bom.substr(0, 2));
  }
}

// Code-page text byte for byte while every value fits the code page; the
// first that does not turns the file into UTF-16 LE, every line kept.
TEST_F(SettingsTest, TheFileTurnsUnicodeOnlyForAValueTheCodePageLacks) {
  const std::string hyo = "http://\xE8\xA1\xA8/";                              // 表
  const std::string korean = "http://k/\xED\x95\x9C\xF0\x9F\x98\x80\xC3\xA9";  // 한😀é
  const std::string lone = "http://x/\xED\xA0\xBD";                            // U+D83D alone
  const std::string cut = std::string(2046, 'a') + "\xF0\x9F\x98\x80";         // 2,048 units
  WriteBytes(ini_, "; mine \x95\x5C\n[FORM]\r\nTOP=1\r\n");
  const auto write = [&](const std::string& key, const std::string& value) {
    Settings settings(file_, ini_);
    settings.WriteString("OldUrl1", key, value);
    settings.Commit();
  };
  write("url1", "http://a/");
  write("url2", hyo);
  const std::string ansi = "; mine \x95\x5C\r\n[FORM]\r\nTOP=1\r\n[OldUrl1]\r\nurl1=http://a/\r\n";
  EXPECT_EQ(ReadBytes(ini_), ansi + "url2=http://\x95\x5C/\r\n");
  write("url3", korean);
  write("url4", lone);
  write("url5", cut);
  std::u16string units =
      u"\uFEFF; mine \u8868\r\n[FORM]\r\nTOP=1\r\n[OldUrl1]\r\nurl1=http://a/\r\n"
      u"url2=http://\u8868/\r\nurl3=http://k/\uD55C\U0001F600\u00E9\r\n"
      u"url4=http://x/\xD83D\r\nurl5=" +
      std::u16string(2046, u'a') + u"\xD83D\r\n";
  std::string bytes;
  for (const char16_t unit : units)
    bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  EXPECT_EQ(ReadBytes(ini_), bytes);
  const std::string read[] = {"http://a/", hyo, korean, lone, cut.substr(0, 2046) + "\xED\xA0\xBD"};
  for (int n = 1; n <= 5; ++n)
    EXPECT_EQ(Raw("OldUrl1", "url" + std::to_string(n)), read[n - 1]) << n;
}

// The reading rules trim blanks and take a pair of quotes off: such a value
// goes into the file in a pair of double quotes, any other as it is.
TEST_F(SettingsTest, BlanksAndQuotesAtTheEndsOfAValueComeBack) {
  const std::pair<std::string, std::string> cases[] = {
      {"\"http://q.example/\"", "\"\"http://q.example/\"\""},
      {"  http://sp.example/  ", "\"  http://sp.example/  \""},
      {"'http://s.example/'", "\"'http://s.example/'\""},
      {"\tx", "\"\tx\""},
      {"x'", "\"x'\""},
      {"\"\"", "\"\"\"\""},
      {"http://a/?q=\"b c\"&d", "http://a/?q=\"b c\"&d"},
  };
  for (const auto& [value, line] : cases) {
    Settings settings(file_, ini_);
    settings.WriteString("OldUrl1", "url1", value);
    settings.Commit();
    EXPECT_EQ(ReadBytes(ini_), "[OldUrl1]\r\nurl1=" + line + "\r\n");
    EXPECT_EQ(Raw("OldUrl1", "url1"), value);
  }
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
