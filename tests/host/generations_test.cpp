#include <gtest/gtest.h>

#include "scratch_dir.h"
#include "store_fixture.h"

namespace velm::testing {
namespace {

using Texts = std::vector<std::string>;

class GenerationsTest : public StoreFixture {};

TEST_F(GenerationsTest, FirstStartKeepsTheHistoryWithItsGaps) {
  SetHistory({"a", "", "c"});
  EXPECT_EQ(Start(), (Texts{"a", "c"}));
  EXPECT_EQ(Generation(1), Padded({"a", "", "c"}));
  EXPECT_EQ(ReadBytes(ini_).find("url2"), std::string::npos) << "a gap is no key";
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Restorable(1), (Texts{"a", "c"}));
}

TEST_F(GenerationsTest, EveryStartShiftsTheGenerationsAndTheSixthFallsOff) {
  for (int start = 1; start <= 7; ++start) {
    SetHistory({"h" + std::to_string(start)});
    Start();
    EXPECT_EQ(Count(), std::min(start, 5)) << "start " << start;
  }
  // After seven starts OldUrl1..6 hold starts 7..2; start 1 is gone.
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(Generation(k), Padded({"h" + std::to_string(8 - k)}));
  EXPECT_EQ(ReadBytes(ini_).find("h1\r"), std::string::npos);
}

TEST_F(GenerationsTest, RotationCopiesTheUrlKeysExactly) {
  Put("OldUrl1", "url1", "a");
  Put("OldUrl1", "url3", "c");
  Put("OldUrl2", "url1", "x");
  Put("OldUrl2", "url2", "y");
  Put("OldUrl2", "url9", "z");
  Put("OldUrl2", "note", "kept");
  Rotate();
  EXPECT_EQ(Generation(1), Padded({"a", "", "c"})) << "rotation leaves OldUrl1 alone";
  EXPECT_EQ(Generation(2), Padded({"a", "", "c"}));
  EXPECT_EQ(portable_.Read(ini_, "OldUrl2", "note"), "kept");
  EXPECT_EQ(Generation(3), Padded({"x", "y", "", "", "", "", "", "", "z"}));
  EXPECT_EQ(portable_.Read(ini_, "OldUrl3", "note"), "");
}

// 한 and 국 are both "?" in the code page: only exact texts tell them apart.
TEST_F(GenerationsTest, HistoriesThatDifferOnlyOutsideTheCodePageAreTwoStates) {
  SetHistory({"http://x/\xED\x95\x9C"});
  Start();
  Start();
  EXPECT_EQ(Count(), 1) << "the same text is no new state";
  SetHistory({"http://x/\xEA\xB5\xAD"});
  Start();
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Restorable(2), (Texts{"http://x/\xED\x95\x9C"}));
}

TEST_F(GenerationsTest, CountIsTheHighestGenerationWithDataNotHowMany) {
  EXPECT_EQ(Count(), 0);  // no file
  Put("OldUrl6", "url1", "never offered");
  EXPECT_EQ(Count(), 0);
  Put("OldUrl3", "url1", "c");
  EXPECT_EQ(Count(), 3);
  EXPECT_TRUE(Restorable(6).empty());
  EXPECT_EQ(file_.replaces(), 0);
}

TEST_F(GenerationsTest, ReadGenerationFindsKeysWhateverTheirCase) {
  WriteBytes(ini_, "[oldurl2]\r\nurl1=a\r\nURL5=b\r\nUrl25=c\r\nurl26=d\r\n");
  EXPECT_EQ(Restorable(2), (Texts{"a", "b", "c"}));
}

TEST_F(GenerationsTest, AnEmptyHistoryOrNoKeyIsANewStateOnce) {
  SetHistory({"a", "b"});
  Start();
  SetHistory({});  // the key opens, no values
  EXPECT_TRUE(Start().empty());
  EXPECT_EQ(Generation(1), Padded({}));
  EXPECT_EQ(Generation(2), Padded({"a", "b"}));
  EXPECT_EQ(Count(), 2);

  registry_.RemoveKey();  // no key reads as an empty history: nothing new
  Start();
  EXPECT_EQ(Generation(3), Padded({}));

  SetHistory({"c"});
  Start();
  registry_.RemoveKey();
  Start();  // OldUrl1 moves down and is emptied, once
  Start();
  EXPECT_EQ(Generation(1), Padded({}));
  EXPECT_EQ(Generation(2), Padded({"c"}));
  EXPECT_EQ(Generation(3), Padded({"a", "b"}));
}

TEST_F(GenerationsTest, LineBreaksNeverReachTheFileButStayInTheHistory) {
  const std::string injecting = "http://a/\r\n[FORM]\r\nLSTFLAG=0";
  SetHistory({injecting, "\r\n", "\n"});
  EXPECT_EQ(Start(), (Texts{injecting, "\r\n", "\n"}));
  EXPECT_EQ(Generation(1), Padded({"http://a/[FORM]LSTFLAG=0"}));
  EXPECT_EQ(portable_.Read(ini_, "FORM", "LSTFLAG"), "");
  EXPECT_EQ(ReadBytes(ini_), "[OldUrl1]\r\nurl1=http://a/[FORM]LSTFLAG=0\r\n");
  EXPECT_EQ(registry_.Text("url1"), injecting);
}

TEST_F(GenerationsTest, LongValuesAreKeptAsAReadGivesThemBack) {
  const std::string hyo = "\xE8\xA1\xA8";                     // 表: 0x95 0x5C in the code page
  const std::string at_limit = std::string(2046, 'a') + hyo;  // 表 would be split at 2,047
  const std::string megabyte(1024 * 1024, 'm');
  SetHistory({megabyte, at_limit, std::string(2047, 'b') + "\r\n"});
  EXPECT_EQ(Start(), (Texts{megabyte, at_limit, std::string(2047, 'b') + "\r\n"}));
  EXPECT_EQ(ReadBytes(ini_), "[OldUrl1]\r\nurl1=" + megabyte.substr(0, 2047) +
                                 "\r\nurl2=" + std::string(2046, 'a') +
                                 "\r\nurl3=" + std::string(2047, 'b') + "\r\n");
  EXPECT_EQ(registry_.Text("url1"), megabyte) << "the history itself is not cut";

  // Unchanged, it is the same state however much the file cut of it.
  SetHistory({std::string(3000, 'x'), " spaced ", "\"quoted\""});
  Start();
  const int replaces = file_.replaces();
  Start();
  EXPECT_EQ(file_.replaces(), replaces) << "the second start found its history in OldUrl1";
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Generation(2),
            Padded({megabyte.substr(0, 2047), std::string(2046, 'a'), std::string(2047, 'b')}));
}

}  // namespace
}  // namespace velm::testing
