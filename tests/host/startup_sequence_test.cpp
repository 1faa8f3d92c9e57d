#include <gtest/gtest.h>

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
  for (const auto& c : cases) EXPECT_EQ(SettingsPathFor(c.exe), c.ini) << c.exe;
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
  EXPECT_EQ(profile_.flushes(), 2) << "one settings handle per start";
}

TEST_F(StartupSequenceTest, HistoryErrorStopsTheLoadWithOldUrl1PartlyRefreshed) {
  Put("FORM", "LSTFLAG", "0");
  Put("OldUrl1", "url2", "old2");
  Put("OldUrl1", "url5", "old5");
  Put("OldUrl1", "url6", "old6");
  SetHistory({"a", "", "c", "d"});
  registry_.SetValue("url5", kRegDword, std::vector<char>(4, '\0'));
  registry_.SetString("url6", "f");

  StartFailingWith(FormatText(text::kHistoryTypeError, "url5"));
  EXPECT_EQ(entries_, (Texts{"a", "c", "d"}));
  EXPECT_EQ(state_.first_unseen, 5);
  EXPECT_FALSE(state_.window.list_flag);
  EXPECT_EQ(Generation(1), Padded({"a", "", "c", "d", "old5", "old6"}));
  EXPECT_EQ(registry_.open_keys(), 0);
  EXPECT_EQ(profile_.flushes(), 1);
}

TEST_F(StartupSequenceTest, SettingsWriteErrorDuringRotationReadsNoHistory) {
  Put("FORM", "TOP", "7");
  Put("OldUrl1", "url1", "g1");
  Put("OldUrl2", "url1", "g2");
  SetHistory({"a"});
  profile_.FailWriteAt("OldUrl2", "url1");  // OldUrl2 -> OldUrl3 works, OldUrl1 -> OldUrl2 fails

  StartFailingWith(FormatText(text::kSettingsWriteError, ini_));
  EXPECT_EQ(state_.window.top, 7);
  EXPECT_EQ(state_.first_unseen, 1);
  EXPECT_TRUE(entries_.empty());
  EXPECT_EQ(Generation(3), Padded({"g2"}));
  EXPECT_EQ(Generation(1), Padded({"g1"})) << "not refreshed";
  EXPECT_EQ(registry_.opens(), 0);
}

TEST_F(StartupSequenceTest, SettingsWriteErrorAtASnapshotKeepsThatValueOut) {
  SetHistory({"a", "b", "c", "d"});
  profile_.FailWriteAt("OldUrl1", "url3");
  StartFailingWith(FormatText(text::kSettingsWriteError, ini_));
  EXPECT_EQ(entries_, (Texts{"a", "b"}));
  EXPECT_EQ(state_.first_unseen, 3);
  EXPECT_EQ(Generation(1), Padded({"a", "b"}));
  EXPECT_EQ(registry_.open_keys(), 0);

  // The close then keeps url3 and url4, which the user never saw.
  HistoryStore(registry_).Save(entries_, state_.first_unseen);
  EXPECT_EQ(registry_.Text("url3"), "c");
  EXPECT_EQ(registry_.Text("url4"), "d");
}

}  // namespace
}  // namespace velm::testing
