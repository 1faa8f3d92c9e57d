#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <string>

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

// Files in memory; the rename finds velm.ini held by another program for
// the first busy_renames tries.
struct HeldFileSteps : ReplacementSteps {
  StepResult WriteTemporary(const std::string& temp, std::string_view bytes) override {
    files[temp] = bytes;
    return StepResult::kDone;
  }
  StepResult MoveOver(const std::string& temp, const std::string& target) override {
    if (busy_renames-- > 0) return StepResult::kBusy;
    files[target] = files[temp];
    files.erase(temp);
    return StepResult::kDone;
  }
  void Remove(const std::string& temp) override { files.erase(temp); }
  void Pause(int milliseconds) override { paused += milliseconds; }

  std::map<std::string, std::string> files{{"velm.ini", "old"}};
  int busy_renames = 2;
  int paused = 0;
};

TEST(FileReplacement, AFileHeldForAMomentIsWaitedOutAndOneHeldLongerIsGivenUp) {
  HeldFileSteps disk;
  EXPECT_TRUE(ReplaceThroughTemporary(disk, "velm.ini", "new"));  // on the third try
  EXPECT_EQ(disk.paused, 2 * kReplacePauseMilliseconds);
  disk.busy_renames = kReplaceAttempts;
  disk.paused = 0;
  EXPECT_FALSE(ReplaceThroughTemporary(disk, "velm.ini", "newer"));
  EXPECT_EQ(disk.files, (std::map<std::string, std::string>{{"velm.ini", "new"}}))
      << "the file of the first replacement, and nothing beside it";
  EXPECT_EQ(disk.paused, 500) << "about half a second before giving up";
}

// Trail bytes in the lead range: a wrong whole-character count would drop
// the last byte of a value that ends in them.
TEST_F(SettingsTest, AValueIsTakenAsThePlatformTakesItInEveryEncoding) {
  const std::string ramen = "\x83\x89\x81\x5B\x83\x81\x83\x93";  // ラーメン
  const std::string small_a = "\x82\x9F";                        // ぁ
  const std::string whole[] = {std::string(2047 - ramen.size(), 'u') + ramen,
                               "http://x/" + ramen + small_a};
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
    settings.WriteString("OldUrl1", "url3", ramen + "\x83");  // no trail byte
    settings.Commit();
    EXPECT_EQ(Raw("OldUrl1", "url2"), "http://a/[FORM]TOP=9") << "line breaks dropped";
    EXPECT_EQ(Raw("FORM", "TOP"), "");
    EXPECT_EQ(Raw("OldUrl1", "url3"), ramen);
    EXPECT_EQ(ReadBytes(ini_).substr(0, bom.size()), bom);
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
