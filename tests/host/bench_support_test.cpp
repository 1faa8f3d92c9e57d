// The benchmark's own arithmetic and data: the seeded cases must be what the
// figures claim they are, and the statistics must pair and split runs right,
// or every figure printed is wrong.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <stdexcept>

#include "bench_cases.h"
#include "document_profile.h"
#include "memory_registry.h"
#include "sample_stats.h"
#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/history_store.h"
#include "stores/ini_document.h"
#include "stores/startup_sequence.h"
#include "timed_backends.h"
#include "timeline.h"

namespace bench {
namespace {

using velm::testing::ScratchDir;
using velm::testing::WriteBytes;

TEST(BenchCases, AddressesHaveTheirExactSizeAndNeverRepeat) {
  std::set<std::string> seen;
  for (std::size_t bytes : {std::size_t{40}, kRealisticBytes, kExtremeBytes}) {
    for (int generation = 0; generation <= velm::kGenerations; ++generation) {
      for (int n = 1; n <= velm::kHistoryValues; ++n) {
        const std::string address = Address(generation, n, bytes);
        EXPECT_EQ(address.size(), bytes) << address;
        EXPECT_TRUE(seen.insert(address).second) << "repeated: " << address;
      }
    }
  }
  EXPECT_THROW(Address(1, 1, 39), std::invalid_argument);
}

TEST(BenchCases, SixGenerationsReadBackWhole) {
  for (std::size_t bytes : {kRealisticBytes, kExtremeBytes}) {
    // Read as the portable profile reads it, parsed once.
    const velm::IniDocument ini = velm::IniDocument::Parse(SixGenerationsIni(bytes));
    for (int k = 1; k <= velm::kGenerations; ++k) {
      for (int n = 1; n <= velm::kHistoryValues; ++n) {
        ASSERT_EQ(ini.Read(velm::GenerationSection(k), velm::HistoryValueName(n)),
                  Address(k, n, bytes))
            << "OldUrl" << k << " url" << n;
      }
    }
    EXPECT_EQ(ini.Read("FORM", "LSTFLAG"), "1");
  }
}

TEST(BenchCases, StandardCasesAreEmptyRealisticAbout300KbInBothEncodingsAnd3Mb) {
  const std::vector<BenchCase> cases = StandardCases();
  ASSERT_EQ(cases.size(), 5u);
  EXPECT_EQ(cases[0].name, "empty");
  EXPECT_TRUE(cases[0].history.empty());
  EXPECT_TRUE(cases[0].ini.empty());

  EXPECT_EQ(cases[1].history, FullHistory(kRealisticBytes));
  EXPECT_EQ(cases[2].history, FullHistory(kExtremeBytes));
  EXPECT_EQ(cases[2].history.size(), 25u);
  EXPECT_GT(cases[2].ini.size(), 290'000u);
  EXPECT_LT(cases[2].ini.size(), 320'000u);

  // The same generations in UTF-16, read as they are.
  EXPECT_EQ(cases[3].history, cases[2].history);
  EXPECT_EQ(cases[3].ini.size(), 2 * cases[2].ini.size() + 2);
  EXPECT_EQ(velm::IniDocument::Parse(cases[3].ini).Read("OldUrl6", "url25"),
            Address(6, 25, kExtremeBytes));

  // The 3 MB file starts with the 300 KB one: the same generations to rotate.
  EXPECT_EQ(cases[4].history, cases[2].history);
  EXPECT_EQ(cases[4].ini.compare(0, cases[2].ini.size(), cases[2].ini), 0);
  EXPECT_GE(cases[4].ini.size(), kHugeIniBytes);
  EXPECT_LT(cases[4].ini.size(), kHugeIniBytes + 4'000);
  const velm::IniDocument huge = velm::IniDocument::Parse(cases[4].ini);
  EXPECT_EQ(huge.Read("OldUrl6", "url25"), Address(6, 25, kExtremeBytes));
  EXPECT_EQ(huge.Read("notes1", "NOTE20"), Address(1, 20, 100));
}

// A full case must make the start-up do all its work: every generation
// copied and every snapshot a change, so that the file written is the
// largest a start can make. (The extreme case is the
// same with longer values; the tests above show its values all differ.)
TEST(BenchCases, AFullCaseDrivesTheWholeRotationAndSnapshot) {
  ScratchDir dir;
  const std::string ini = dir.File("velm.ini");
  const BenchCase realistic = StandardCases()[1];
  WriteBytes(ini, realistic.ini);
  velm::MemoryRegistry registry;
  for (std::size_t i = 0; i < realistic.history.size(); ++i) {
    registry.SetString(velm::HistoryValueName(static_cast<int>(i) + 1), realistic.history[i]);
  }
  velm::PortableSettingsFile plain;
  std::int64_t clock = 0;
  velm::TimedSettingsFile file(plain, [&] { return clock++; });
  std::vector<std::string> entries;
  velm::StartupState state;
  velm::RunStartupSequence(
      file, registry, ini, [&](const velm::HistoryValue& v) { entries.push_back(v.text); }, &state);

  EXPECT_EQ(entries, realistic.history);
  EXPECT_EQ(file.loads().calls, 1);
  EXPECT_EQ(file.replaces().calls, 1);
  EXPECT_EQ(file.checks().calls, 0);
  velm::PortableProfile portable;
  // Every generation moved one place back and OldUrl1 took the history.
  EXPECT_EQ(portable.Read(ini, "OldUrl6", "url7"), Address(5, 7, kRealisticBytes));
  EXPECT_EQ(portable.Read(ini, "OldUrl2", "url7"), Address(1, 7, kRealisticBytes));
  EXPECT_EQ(portable.Read(ini, "OldUrl1", "url7"), realistic.history[6]);
}

TEST(SampleStats, MedianOfOddAndEvenCountsInAnyOrder) {
  EXPECT_EQ(Median({}), 0);
  EXPECT_EQ(Median({7}), 7);
  EXPECT_EQ(Median({9, 1, 5}), 5);
  EXPECT_EQ(Median({8, 2, 4, 100}), 6);

  const Spread spread = SpreadOf({3, 10, 1, 4});
  EXPECT_EQ(spread.median, 3.5);
  EXPECT_EQ(spread.min, 1);
  EXPECT_EQ(spread.max, 10);
}

TEST(SampleStats, RatiosArePairedRunByRun) {
  // Pairs 4, 1 and 1: the median is 1. Dividing the medians, or pairing the
  // sorted lists, would both say 2.
  EXPECT_EQ(MedianRatio({40, 40, 20}, {10, 40, 20}), 1);

  EXPECT_EQ(MedianRatio({5, 30}, {0, 10}), 3) << "a pair without a floor time is left out";
  EXPECT_EQ(MedianRatio({}, {}), 0);
  EXPECT_THROW(MedianRatio({1, 2}, {1}), std::invalid_argument);
}

TEST(Timeline, ParsesAPhaseLogWithBlanksInNamesAndEitherLineEnd) {
  const std::optional<PhaseLog> log = ParsePhaseLog(
      "frequency 10000000\r\n100 0 0 0 0 entry\r\n250 7 2 3 1 app window\n400 9 3 3 1 FormCreate");
  ASSERT_TRUE(log.has_value());
  EXPECT_EQ(log->frequency, 10'000'000);
  ASSERT_EQ(log->marks.size(), 3u);
  const TimePoint& mark = log->marks[1];
  EXPECT_EQ(mark.name, "app window");
  EXPECT_EQ(mark.ticks, 250);
  ASSERT_TRUE(mark.totals.has_value());
  EXPECT_EQ(mark.totals->profile.ticks, 7);
  EXPECT_EQ(mark.totals->profile.calls, 2);
  EXPECT_EQ(mark.totals->registry.ticks, 3);
  EXPECT_EQ(mark.totals->registry.calls, 1);
  EXPECT_EQ(log->marks[2].name, "FormCreate");
}

TEST(Timeline, RefusesWhatIsNoPhaseLog) {
  for (const char* text :
       {"", "100 0 0 0 0 entry\r\n", "frequency 0\r\n", "frequency x\r\n",
        "frequency 10\r\nentry\r\n", "frequency 10\r\n12 entry\r\n",
        "frequency 10\r\n12 0 0 0 0 \r\n", "frequency 10\r\n12 0 x 0 0 entry\r\n"}) {
    EXPECT_FALSE(ParsePhaseLog(text).has_value()) << text;
  }
}

CallTotals Totals(std::int64_t profile_ticks, int profile_calls, std::int64_t registry_ticks,
                  int registry_calls) {
  return {{profile_calls, profile_ticks}, {registry_calls, registry_ticks}};
}

TEST(Timeline, DriverPointsGoInTimeOrderWithTheTotalsOfTheMarkBefore) {
  const std::vector<TimePoint> points =
      MergeTimeline({{"launch", 0, std::nullopt}, {"seen", 50, std::nullopt}},
                    {{"entry", 20, Totals(0, 0, 0, 0)}, {"shown", 40, Totals(9, 4, 2, 1)}});
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0].name, "launch");
  EXPECT_EQ(points[1].name, "entry");
  EXPECT_EQ(points[2].name, "shown");
  EXPECT_EQ(points[3].name, "seen");
  ASSERT_TRUE(points[0].totals.has_value()) << "before any mark: no calls yet";
  EXPECT_EQ(points[0].totals->profile.calls, 0);
  ASSERT_TRUE(points[3].totals.has_value());
  EXPECT_EQ(points[3].totals->profile.calls, 4);
  EXPECT_EQ(points[3].totals->registry.ticks, 2);
}

TEST(Timeline, SpansTakeTheTimeAndTheCallsBetweenConsecutivePoints) {
  const std::vector<Span> spans = SpansOf({{"launch", 1'000, Totals(0, 0, 0, 0)},
                                           {"entry", 21'000, Totals(0, 0, 0, 0)},
                                           {"FormCreate", 26'000, Totals(3'000, 10, 500, 4)},
                                           {"shown", 27'000, Totals(3'000, 10, 500, 4)}},
                                          10'000'000);
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_EQ(spans[0].name, "launch -> entry");
  EXPECT_DOUBLE_EQ(spans[0].ms, 2.0);
  EXPECT_EQ(spans[0].profile_calls, 0);
  EXPECT_EQ(spans[1].name, "entry -> FormCreate");
  EXPECT_DOUBLE_EQ(spans[1].ms, 0.5);
  EXPECT_DOUBLE_EQ(spans[1].profile_ms, 0.3);
  EXPECT_EQ(spans[1].profile_calls, 10);
  EXPECT_DOUBLE_EQ(spans[1].registry_ms, 0.05);
  EXPECT_EQ(spans[1].registry_calls, 4);
  EXPECT_EQ(spans[2].profile_calls, 0) << "the totals do not grow after FormCreate";
  EXPECT_TRUE(SpansOf({{"only", 5, std::nullopt}}, 10).empty());
}

TEST(Timeline, SpanTableGathersRunsByNameInFirstSeenOrder) {
  SpanTable table;
  table.Add({{"a -> b", 1}, {"b -> c", 2}});
  table.Add({{"a -> x", 7}, {"b -> c", 3}});  // a run that took another way
  ASSERT_EQ(table.rows().size(), 3u);
  EXPECT_EQ(table.rows()[0].first, "a -> b");
  EXPECT_EQ(table.rows()[1].first, "b -> c");
  EXPECT_EQ(table.rows()[2].first, "a -> x");
  const std::vector<Span> runs = table.Find("b -> c");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].ms, 2);
  EXPECT_EQ(runs[1].ms, 3);
  EXPECT_TRUE(table.Find("c -> d").empty());
}

}  // namespace
}  // namespace bench
