#include <gtest/gtest.h>

#include <filesystem>

#include "core/error.h"
#include "core/texts.h"
#include "store_fixture.h"

namespace velm::testing {
namespace {

using Texts = std::vector<std::string>;

TEST(SettingsPathFor, TakesTheExecutablesFolderWithoutSplittingCharacters) {
  // 表 ends in byte 0x5C, which must not count as a backslash.
  const std::string hyo = std::string(text::kButtonSwitchView).substr(0, 2);
  const struct {
    std::string exe;
    std::string ini;
  } cases[] = {
      {"C:\\Tools\\velm.exe", "C:\\Tools\\velm.ini"},
      {"C:\\" + hyo + "\\velm.exe", "C:\\" + hyo + "\\velm.ini"},
      {"C:\\Tools\\" + hyo + ".exe", "C:\\Tools\\velm.ini"},
      {"C:\\Tools\\" + hyo, "C:\\Tools\\velm.ini"},
      {"/opt/velm/velm.exe", "/opt/velm/velm.ini"},
      {"velm.exe", "velm.ini"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SettingsPathFor(AnsiToUtf16(c.exe)).wide(), AnsiToUtf16(c.ini)) << c.exe;
}

class StartupSequenceTest : public StoreFixture {};

TEST_F(StartupSequenceTest, ReadsTheWindowSettingsWithTheirDefaults) {
  Start();
  EXPECT_TRUE(state_.window.list_flag);
  EXPECT_EQ(state_.window.top, 0);
  EXPECT_EQ(state_.window.left, 0);

  WriteBytes(ini_, "[FORM]\r\nLSTFLAG=0\r\nTOP=-500\r\nLEFT=0x20\r\n");
  Start();
  EXPECT_FALSE(state_.window.list_flag);
  EXPECT_EQ(state_.window.top, -500);
  EXPECT_EQ(state_.window.left, 32);
  EXPECT_EQ(file_.loads(), 2) << "one reading of velm.ini per start";
}

TEST_F(StartupSequenceTest, AnUnreadableValueIsReportedAndEveryOtherLoadedAndKept) {
  Put("FORM", "LSTFLAG", "0");
  Put("OldUrl1", "url2", "old2");
  Put("OldUrl1", "url5", "old5");
  Put("OldUrl1", "url6", "old6");
  SetHistory({"a", "", "c", "d"});
  registry_.SetValue("url5", kRegDword, std::vector<char>(4, '\0'));
  registry_.SetString("url6", "f");

  StartFailingWith(FormatText(text::kHistoryTypeError, "url5"));
  EXPECT_EQ(entries_, (Texts{"a", "c", "d", "f"}));
  EXPECT_EQ(state_.loaded.size(), 4u);
  EXPECT_FALSE(state_.window.list_flag);
  EXPECT_EQ(Generation(1), Padded({"a", "", "c", "d", "", "f"})) << "each under its own number";
  EXPECT_EQ(registry_.open_keys(), 0);
  EXPECT_EQ(file_.replaces(), 1);
}

// velm.ini cannot be written: nothing of the start-up reaches it, but the
// history is shown whole, so the close writes back what the user saw.
TEST_F(StartupSequenceTest, SettingsWriteErrorCostsTheBackupNotTheHistory) {
  Put("FORM", "TOP", "7");
  Put("OldUrl1", "url1", "g1");
  Put("OldUrl2", "url1", "g2");
  const std::string before = ReadBytes(ini_);
  SetHistory({"a", "", "c"});
  file_.RefuseWrites();

  StartFailingWith(FormatText(text::kSettingsWriteError, ini_));
  EXPECT_EQ(state_.window.top, 7);
  EXPECT_EQ(entries_, (Texts{"a", "c"}));
  EXPECT_EQ(ReadBytes(ini_), before) << "not one copy of the rotation";
  EXPECT_EQ(registry_.open_keys(), 0);
}

}  // namespace
}  // namespace velm::testing
