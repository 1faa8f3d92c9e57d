// The benchmark's Windows side against the real thing: seeding a case, one
// timed run of each floor and of velm.exe, a run that never shows its window,
// and the phase log as a marked build writes it. No time is asserted, only
// that every reading is taken and in order.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "bench_cases.h"
#include "core/texts.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "driver/sandbox.h"
#include "driver/wine_path.h"
#include "memory_registry.h"
#include "portable_settings_file.h"
#include "process_timing.h"
#include "qpc_clock.h"
#include "seed_case.h"
#include "shell/exe_path.h"
#include "shell/phase_marks.h"
#include "stores/phase_timed.h"
#include "timeline.h"

namespace bench {
namespace {

class BenchWineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(e2e::DeleteHistoryKey()); }
  void TearDown() override { EXPECT_TRUE(e2e::DeleteHistoryKey()); }

  void MakeSandbox(const char* program) {
    ASSERT_TRUE(e2e::Sandbox::CreateForCurrentTest(e2e::WinePath(BENCH_TEST_WORK_ROOT),
                                                   e2e::WinePath(program), &sandbox_));
  }

  // Every reading taken, in the order the run makes them.
  static void ExpectWholeRun(const RunSample& sample) {
    EXPECT_LT(sample.launched, sample.seen);
    EXPECT_LE(sample.seen, sample.close_posted);
    EXPECT_LT(sample.close_posted, sample.ended);
    EXPECT_GT(sample.startup_ms, 0);
    EXPECT_GT(sample.close_ms, 0);
    EXPECT_GT(sample.peak_working_set, 0u);
    EXPECT_GT(sample.peak_pagefile, 0u);
  }

  e2e::Sandbox sandbox_;
};

TEST_F(BenchWineTest, SeedingPutsACaseInPlaceAndTheEmptyCaseTakesItAway) {
  MakeSandbox(BENCH_FLOOR_EXE);
  const std::string ini = sandbox_.File("velm.ini");
  const std::vector<BenchCase> cases = StandardCases();

  ASSERT_TRUE(SeedCase(cases[1], ini));
  EXPECT_EQ(e2e::ReadFileBytes(ini), cases[1].ini);
  const e2e::HistoryValues history = e2e::ReadHistory();
  ASSERT_EQ(history.size(), 25u);
  EXPECT_EQ(history.at("url1"), e2e::StringValue(cases[1].history[0]));
  EXPECT_EQ(history.at("url25"), e2e::StringValue(cases[1].history[24]));

  ASSERT_TRUE(SeedCase(cases[0], ini));
  EXPECT_FALSE(e2e::FileExists(ini));
  EXPECT_FALSE(e2e::HistoryKeyExists());
  ASSERT_TRUE(SeedCase(cases[0], ini)) << "nothing to take away is no error";
}

TEST_F(BenchWineTest, TimesTheFloorFromStartToItsEnd) {
  MakeSandbox(BENCH_FLOOR_EXE);
  RunSample sample;
  ASSERT_TRUE(TimeRun({sandbox_.exe(), sandbox_.dir(), "VelmBenchFloor", ""},
                      {e2e::Timeout{15000}, std::chrono::milliseconds(0)}, &sample));
  ExpectWholeRun(sample);
}

// Closed as velm.exe is closed, and with nothing else done: neither velm.ini
// nor the history is touched.
TEST_F(BenchWineTest, TimesTheSameWindowFloorToTheExitButtonAndItLeavesTheCaseAlone) {
  MakeSandbox(BENCH_FLOOR_FORMS_EXE);
  const BenchCase realistic = StandardCases()[1];
  ASSERT_TRUE(SeedCase(realistic, sandbox_.File("velm.ini")));
  const e2e::HistoryValues seeded = e2e::ReadHistory();
  RunSample sample;
  ASSERT_TRUE(TimeRun({sandbox_.exe(), sandbox_.dir(), "TForm1", velm::text::kButtonExit},
                      {e2e::Timeout{15000}, std::chrono::milliseconds(0)}, &sample));
  ExpectWholeRun(sample);
  EXPECT_EQ(e2e::ReadFileBytes(sandbox_.File("velm.ini")), realistic.ini);
  EXPECT_EQ(e2e::ReadHistory(), seeded);
}

TEST_F(BenchWineTest, TimesVelmFromStartToTheExitButton) {
  MakeSandbox(BENCH_VELM_EXE);
  ASSERT_TRUE(SeedCase(StandardCases()[1], sandbox_.File("velm.ini")));
  RunSample sample;
  ASSERT_TRUE(TimeRun({sandbox_.exe(), sandbox_.dir(), "TForm1", velm::text::kButtonExit},
                      {e2e::Timeout{15000}, std::chrono::milliseconds(0)}, &sample));
  ExpectWholeRun(sample);
  // The close went through Exit: the history was saved and OldUrl1 refreshed.
  EXPECT_EQ(e2e::ReadHistory().size(), 25u);
  EXPECT_EQ(e2e::ProfileString(sandbox_.File("velm.ini"), "OldUrl1", "url1"),
            StandardCases()[1].history[0]);
}

TEST_F(BenchWineTest, AWindowThatNeverShowsFailsTheRunAndTheProgramIsStopped) {
  MakeSandbox(BENCH_FLOOR_EXE);
  RunSample sample;
  const testing::AssertionResult result =
      TimeRun({sandbox_.exe(), sandbox_.dir(), "NoSuchWindowClass", ""},
              {e2e::Timeout{1000}, std::chrono::milliseconds(0)}, &sample);
  ASSERT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("NoSuchWindowClass"), std::string::npos);
  EXPECT_EQ(FindWindowA("VelmBenchFloor", nullptr), nullptr) << "the floor still runs";
  EXPECT_EQ(sample.launched, 0) << "a failed run leaves the sample alone";
}

// The marked build's log: written by the program's own recorder (linked into
// this test), read by the driver's parser.
TEST(PhaseLogFile, WhatAMarkedBuildWritesReadsBackWithItsCallTotals) {
  velm::MemoryRegistry memory;
  velm::PortableSettingsFile portable;
  velm::RegistryBackend& registry = velm::PhaseTimed(memory);
  velm::SettingsFile& file = velm::PhaseTimed(portable);
  const std::string exe = velm::Utf16ToAnsi(velm::ExecutablePath());
  const std::string dir = exe.substr(0, exe.find_last_of('\\') + 1);
  const std::string ini = dir + "phase-log-test.ini";
  const std::string log = dir + "velm-phases.txt";

  velm::MarkPhase("entry");
  ASSERT_TRUE(file.Replace(ini, "[FORM]\r\nTOP=1\r\n"));
  std::string bytes;
  EXPECT_EQ(file.Load(ini, &bytes), velm::FileState::kLoaded);
  velm::RegistryBackend::Key key = 0;
  ASSERT_EQ(registry.Open(velm::KeyUse::kLoad, &key), velm::OpenResult::kOpened);
  registry.Close(key);
  velm::MarkPhase("after calls");
  velm::SavePhaseLog();

  const std::optional<std::string> text = e2e::ReadFileBytes(log);
  std::remove(log.c_str());
  std::remove(ini.c_str());
  ASSERT_TRUE(text.has_value());
  const std::optional<PhaseLog> parsed = ParsePhaseLog(*text);
  ASSERT_TRUE(parsed.has_value()) << *text;
  EXPECT_EQ(parsed->frequency, CounterFrequency());
  ASSERT_EQ(parsed->marks.size(), 2u);
  EXPECT_EQ(parsed->marks[0].name, "entry");
  EXPECT_EQ(parsed->marks[1].name, "after calls");
  EXPECT_LE(parsed->marks[0].ticks, parsed->marks[1].ticks);
  EXPECT_LE(parsed->marks[1].ticks, CounterNow());
  const std::vector<Span> spans = SpansOf(parsed->marks, parsed->frequency);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_EQ(spans[0].profile_calls, 2);
  EXPECT_EQ(spans[0].registry_calls, 2);
  EXPECT_GT(spans[0].profile_ms, 0);
  EXPECT_LE(spans[0].profile_ms + spans[0].registry_ms, spans[0].ms);
}

}  // namespace
}  // namespace bench
