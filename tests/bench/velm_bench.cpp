// velm_bench: times velm.exe's start-up and close under Wine against a floor
// program, for the empty, the realistic and the extreme case, and shows where
// the time goes. Runs inside the prefix it measures; prints figures only, it
// judges nothing.
//
//   velm_bench.exe [--runs N] [--settle MS]
//
// Every round runs each case once for the floor and once for velm.exe, in
// alternating order, seeded afresh; one round of warm-up is thrown away.
// Then the program's build with phase marks runs the same cases, and the
// store side of FormCreate and the close runs in this process.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "core/texts.h"
#include "driver/history_key.h"
#include "driver/sandbox.h"
#include "driver/wine_path.h"
#include "process_timing.h"
#include "qpc_clock.h"
#include "sample_stats.h"
#include "seed_case.h"
#include "store_timing.h"
#include "timeline.h"

namespace bench {

namespace {

constexpr int kWarmupRounds = 1;
constexpr double kStartupTargets[] = {1.10, 2.0, 8.0};  // empty, realistic, extreme
constexpr double kCloseTarget = 1.10;
constexpr double kSizeTargetKb = 400;
constexpr char kPhaseLogName[] = "velm-phases.txt";

struct Options {
  int runs = 7;
  int settle_ms = 300;
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    if (std::strcmp(argv[i], "--runs") == 0 && has_value) {
      options->runs = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--settle") == 0 && has_value) {
      options->settle_ms = std::atoi(argv[++i]);
    } else {
      return false;
    }
  }
  return options->runs > 0 && options->settle_ms >= 0;
}

struct CaseFigures {
  std::vector<double> floor_startup, velm_startup, floor_close, velm_close;
  std::vector<double> floor_peak_ws, velm_peak_ws, floor_peak_pf, velm_peak_pf;
  SpanTable phases;
  std::vector<StoreSample> store;
};

double Megabytes(std::uint64_t bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

bool Failed(const testing::AssertionResult& result, const std::string& what) {
  if (result) return false;
  std::fprintf(stderr, "velm_bench: %s: %s\n", what.c_str(), result.message());
  return true;
}

// One timed run of program with bench_case seeded just before it.
bool RunOnce(const Program& program, const BenchCase& bench_case, const RunOptions& options,
             RunSample* sample) {
  if (Failed(SeedCase(bench_case, program.dir + "\\velm.ini"), "seeding " + bench_case.name)) {
    return false;
  }
  return !Failed(TimeRun(program, options, sample), program.exe + " (" + bench_case.name + ")");
}

bool MeasurePairs(const Program& floor, const Program& velm, const std::vector<BenchCase>& cases,
                  const Options& options, std::vector<CaseFigures>* figures) {
  const RunOptions run_options{e2e::Timeout{30000}, std::chrono::milliseconds(options.settle_ms)};
  for (int round = -kWarmupRounds; round < options.runs; ++round) {
    for (std::size_t c = 0; c < cases.size(); ++c) {
      RunSample floor_sample, velm_sample;
      const bool floor_first = (round + static_cast<int>(c)) % 2 == 0;
      for (int turn = 0; turn < 2; ++turn) {
        const bool floor_turn = (turn == 0) == floor_first;
        if (!RunOnce(floor_turn ? floor : velm, cases[c], run_options,
                     floor_turn ? &floor_sample : &velm_sample)) {
          return false;
        }
      }
      if (round < 0) continue;
      CaseFigures& f = (*figures)[c];
      f.floor_startup.push_back(floor_sample.startup_ms);
      f.velm_startup.push_back(velm_sample.startup_ms);
      f.floor_close.push_back(floor_sample.close_ms);
      f.velm_close.push_back(velm_sample.close_ms);
      f.floor_peak_ws.push_back(Megabytes(floor_sample.peak_working_set));
      f.velm_peak_ws.push_back(Megabytes(velm_sample.peak_working_set));
      f.floor_peak_pf.push_back(Megabytes(floor_sample.peak_pagefile));
      f.velm_peak_pf.push_back(Megabytes(velm_sample.peak_pagefile));
    }
  }
  return true;
}

// The driver's own points and the program's marks, in time order.
bool PhaseTimeline(const RunSample& sample, const std::string& log_path,
                   std::vector<TimePoint>* points) {
  HANDLE file = CreateFileA(log_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string text(64 * 1024, '\0');
  DWORD read = 0;
  const BOOL ok = ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok) return false;
  text.resize(read);
  const std::optional<PhaseLog> log = ParsePhaseLog(text);
  if (!log || log->frequency != CounterFrequency()) return false;
  *points = {{"launch", sample.launched},
             {"seen", sample.seen},
             {"click", sample.close_posted},
             {"ended", sample.ended}};
  points->insert(points->end(), log->marks.begin(), log->marks.end());
  std::stable_sort(points->begin(), points->end(),
                   [](const TimePoint& a, const TimePoint& b) { return a.ticks < b.ticks; });
  return true;
}

bool MeasurePhases(const Program& phases, const std::vector<BenchCase>& cases,
                   const Options& options, std::vector<CaseFigures>* figures) {
  const RunOptions run_options{e2e::Timeout{30000}, std::chrono::milliseconds(options.settle_ms)};
  const std::string log_path = phases.dir + "\\" + kPhaseLogName;
  for (int round = 0; round < options.runs; ++round) {
    for (std::size_t c = 0; c < cases.size(); ++c) {
      DeleteFileA(log_path.c_str());
      RunSample sample;
      if (!RunOnce(phases, cases[c], run_options, &sample)) return false;
      std::vector<TimePoint> points;
      if (!PhaseTimeline(sample, log_path, &points)) {
        std::fprintf(stderr, "velm_bench: no readable phase log at %s\n", log_path.c_str());
        return false;
      }
      (*figures)[c].phases.Add(SpansOf(points, CounterFrequency()));
    }
  }
  return true;
}

bool MeasureStoreSide(const std::string& dir, const std::vector<BenchCase>& cases,
                      const Options& options, std::vector<CaseFigures>* figures) {
  for (int round = 0; round < options.runs; ++round) {
    for (std::size_t c = 0; c < cases.size(); ++c) {
      StoreSample sample;
      if (Failed(TimeStoreSide(cases[c], dir, &sample), "store side of " + cases[c].name)) {
        return false;
      }
      (*figures)[c].store.push_back(sample);
    }
  }
  return true;
}

void PrintComparison(const char* title, const std::vector<BenchCase>& cases,
                     const std::vector<CaseFigures>& figures, bool startup) {
  std::printf("\n%s (ms: median [min-max])\n", title);
  std::printf("%-10s %-24s %-24s %7s %7s\n", "case", "floor", "velm.exe", "ratio", "target");
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const CaseFigures& f = figures[c];
    const std::vector<double>& floor = startup ? f.floor_startup : f.floor_close;
    const std::vector<double>& velm = startup ? f.velm_startup : f.velm_close;
    const Spread fs = SpreadOf(floor);
    const Spread vs = SpreadOf(velm);
    char floor_text[64], velm_text[64];
    std::snprintf(floor_text, sizeof floor_text, "%.1f [%.1f-%.1f]", fs.median, fs.min, fs.max);
    std::snprintf(velm_text, sizeof velm_text, "%.1f [%.1f-%.1f]", vs.median, vs.min, vs.max);
    std::printf("%-10s %-24s %-24s %7.2f %7.2f\n", cases[c].name.c_str(), floor_text, velm_text,
                MedianRatio(velm, floor), startup ? kStartupTargets[c] : kCloseTarget);
  }
}

void PrintMemory(const std::vector<BenchCase>& cases, const std::vector<CaseFigures>& figures) {
  std::printf("\npeak memory (MB, median; PeakWorkingSetSize / PeakPagefileUsage)\n");
  std::printf("%-10s %-20s %-20s\n", "case", "floor", "velm.exe");
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const CaseFigures& f = figures[c];
    char floor_text[48], velm_text[48];
    std::snprintf(floor_text, sizeof floor_text, "%.1f / %.1f", Median(f.floor_peak_ws),
                  Median(f.floor_peak_pf));
    std::snprintf(velm_text, sizeof velm_text, "%.1f / %.1f", Median(f.velm_peak_ws),
                  Median(f.velm_peak_pf));
    std::printf("%-10s %-20s %-20s\n", cases[c].name.c_str(), floor_text, velm_text);
  }
}

void PrintPhases(const std::vector<BenchCase>& cases, const std::vector<CaseFigures>& figures) {
  std::printf("\nwhere the time goes: velm_phases.exe, spans between marks (ms, median)\n");
  std::printf("%-36s", "span");
  for (const BenchCase& c : cases) std::printf(" %10s", c.name.c_str());
  std::printf("\n");
  for (const auto& [name, values] : figures[0].phases.rows()) {
    std::printf("%-36s", name.c_str());
    for (const CaseFigures& f : figures) {
      double median = 0;
      for (const auto& [other, other_values] : f.phases.rows()) {
        if (other == name) median = Median(other_values);
      }
      std::printf(" %10.2f", median);
    }
    std::printf("\n");
  }
}

// One row of the store table: median ms of pick() over the samples, and the
// call count of the first sample when count is given.
template <typename Pick>
void PrintStoreRow(const char* label, const std::vector<CaseFigures>& figures, Pick pick,
                   int (*count)(const StoreSample&) = nullptr) {
  std::printf("%-36s", label);
  for (const CaseFigures& f : figures) {
    std::vector<double> values;
    for (const StoreSample& s : f.store) values.push_back(pick(s));
    if (count != nullptr && !f.store.empty()) {
      char cell[32];
      std::snprintf(cell, sizeof cell, "%.2f (%d)", Median(values), count(f.store.front()));
      std::printf(" %14s", cell);
    } else {
      std::printf(" %14.2f", Median(values));
    }
  }
  std::printf("\n");
}

void PrintStoreSide(const std::vector<BenchCase>& cases, const std::vector<CaseFigures>& figures) {
  std::printf(
      "\nstore side alone: TForm1 on the headless toolkit over the Win32 back ends\n"
      "(ms, median; in brackets the number of calls)\n");
  std::printf("%-36s", "step");
  for (const BenchCase& c : cases) std::printf(" %14s", c.name.c_str());
  std::printf("\n");
  PrintStoreRow("FormCreate", figures, [](const StoreSample& s) { return s.create_ms; });
  PrintStoreRow(
      "  private-profile calls", figures,
      [](const StoreSample& s) { return TicksToMs(s.create_profile.ticks); },
      [](const StoreSample& s) { return s.create_profile.calls; });
  PrintStoreRow(
      "  registry calls", figures,
      [](const StoreSample& s) { return TicksToMs(s.create_registry.ticks); },
      [](const StoreSample& s) { return s.create_registry.calls; });
  PrintStoreRow("  everything else", figures, [](const StoreSample& s) {
    return s.create_ms - TicksToMs(s.create_profile.ticks + s.create_registry.ticks);
  });
  PrintStoreRow("close request (FormClose)", figures,
                [](const StoreSample& s) { return s.close_ms; });
  PrintStoreRow(
      "  private-profile calls", figures,
      [](const StoreSample& s) { return TicksToMs(s.close_profile.ticks); },
      [](const StoreSample& s) { return s.close_profile.calls; });
  PrintStoreRow(
      "  registry calls", figures,
      [](const StoreSample& s) { return TicksToMs(s.close_registry.ticks); },
      [](const StoreSample& s) { return s.close_registry.calls; });
  PrintStoreRow("  everything else", figures, [](const StoreSample& s) {
    return s.close_ms - TicksToMs(s.close_profile.ticks + s.close_registry.ticks);
  });
}

std::uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int Main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr, "usage: velm_bench [--runs N] [--settle MS]\n");
    return 2;
  }
  const std::string work_root = e2e::WinePath(BENCH_WORK_ROOT);
  e2e::Sandbox floor_box, velm_box, phases_box, store_box;
  if (Failed(e2e::Sandbox::Create(work_root, "floor", e2e::WinePath(BENCH_FLOOR_EXE), &floor_box),
             "floor folder") ||
      Failed(e2e::Sandbox::Create(work_root, "velm", e2e::WinePath(BENCH_VELM_EXE), &velm_box),
             "velm folder") ||
      Failed(
          e2e::Sandbox::Create(work_root, "phases", e2e::WinePath(BENCH_PHASES_EXE), &phases_box),
          "phases folder") ||
      Failed(e2e::Sandbox::Create(work_root, "store", e2e::WinePath(BENCH_VELM_EXE), &store_box),
             "store folder")) {
    return 1;
  }
  const Program floor{floor_box.exe(), floor_box.dir(), "VelmBenchFloor", ""};
  const Program velm{velm_box.exe(), velm_box.dir(), "TForm1", velm::text::kButtonExit};
  const Program phases{phases_box.exe(), phases_box.dir(), "TForm1", velm::text::kButtonExit};
  const std::vector<BenchCase> cases = StandardCases();
  std::vector<CaseFigures> figures(cases.size());

  const std::uint64_t size = FileSize(velm_box.exe());
  std::printf("velm.exe: %llu bytes (%.1f KB; target %.0f KB)\n",
              static_cast<unsigned long long>(size), static_cast<double>(size) / 1024.0,
              kSizeTargetKb);
  std::printf("%d runs per case after %d warm-up round, %d ms settle before each close\n",
              options.runs, kWarmupRounds, options.settle_ms);
  std::fflush(stdout);

  if (!MeasurePairs(floor, velm, cases, options, &figures)) return 1;
  PrintComparison("start-up: process start to main window shown", cases, figures, true);
  PrintComparison("close: click on Exit (floor: WM_CLOSE) to process end", cases, figures, false);
  PrintMemory(cases, figures);
  std::fflush(stdout);

  if (!MeasurePhases(phases, cases, options, &figures)) return 1;
  PrintPhases(cases, figures);
  std::fflush(stdout);

  if (!MeasureStoreSide(store_box.dir(), cases, options, &figures)) return 1;
  PrintStoreSide(cases, figures);
  // The prefix is the benchmark's own; leave no history behind all the same.
  return Failed(e2e::DeleteHistoryKey(), "removing the history") ? 1 : 0;
}

}  // namespace

}  // namespace bench

int main(int argc, char** argv) {
  return bench::Main(argc, argv);
}
