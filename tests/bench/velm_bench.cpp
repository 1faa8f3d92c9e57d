// velm_bench: times velm.exe's start-up and close under Wine against a floor
// program, for the empty, the realistic, the 300 KB and the 3 MB case, and
// shows where the time goes. Runs inside the prefix it measures; prints
// figures only, it judges nothing.
//
//   velm_bench.exe [--runs N] [--settle MS]
//
// Each round takes every case in turn: the floor and velm.exe one after the
// other (in alternating order), then the builds of both with phase marks,
// each seeded afresh, so all figures of a round see the machine in the same
// state. One round of warm-up is thrown away.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "bench_report.h"
#include "case_figures.h"
#include "core/texts.h"
#include "driver/history_key.h"
#include "driver/launched_process.h"
#include "driver/sandbox.h"
#include "driver/wine_path.h"
#include "process_timing.h"
#include "qpc_clock.h"
#include "seed_case.h"
#include "timeline.h"

namespace bench {

namespace {

constexpr int kWarmupRounds = 1;
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

// What one round runs.
struct Subjects {
  Program floor;
  Program velm;
  Program phases;        // velm_phases.exe, writing its phase log beside itself
  Program floor_phases;  // bench_floor_phases.exe, likewise
  RunOptions run_options;
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

bool ReadText(const std::string& path, std::string* text) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  e2e::UniqueHandle owned(file);
  text->assign(64 * 1024, '\0');
  DWORD read = 0;
  if (!ReadFile(file, text->data(), static_cast<DWORD>(text->size()), &read, nullptr)) return false;
  text->resize(read);
  return true;
}

// The driver's own points and the program's marks, in time order.
bool PhaseTimeline(const RunSample& sample, const std::string& log_path,
                   std::vector<TimePoint>* points) {
  std::string text;
  if (!ReadText(log_path, &text)) return false;
  const std::optional<PhaseLog> log = ParsePhaseLog(text);
  if (!log || log->frequency != CounterFrequency()) return false;
  *points = MergeTimeline({{"launch", sample.launched, std::nullopt},
                           {"seen", sample.seen, std::nullopt},
                           {"click", sample.close_posted, std::nullopt},
                           {"ended", sample.ended, std::nullopt}},
                          log->marks);
  return true;
}

// The floor and velm.exe, one after the other, in the order given.
bool RunPair(const Subjects& s, const BenchCase& bench_case, bool floor_first,
             CaseFigures* figures) {
  RunSample floor, velm;
  for (int turn = 0; turn < 2; ++turn) {
    const bool floor_turn = (turn == 0) == floor_first;
    if (!RunOnce(floor_turn ? s.floor : s.velm, bench_case, s.run_options,
                 floor_turn ? &floor : &velm)) {
      return false;
    }
  }
  figures->floor_startup.push_back(floor.startup_ms);
  figures->velm_startup.push_back(velm.startup_ms);
  figures->floor_close.push_back(floor.close_ms);
  figures->velm_close.push_back(velm.close_ms);
  figures->floor_peak_ws.push_back(Megabytes(floor.peak_working_set));
  figures->velm_peak_ws.push_back(Megabytes(velm.peak_working_set));
  figures->floor_peak_pf.push_back(Megabytes(floor.peak_pagefile));
  figures->velm_peak_pf.push_back(Megabytes(velm.peak_pagefile));
  return true;
}

bool RunPhases(const Program& program, const BenchCase& bench_case, const RunOptions& options,
               SpanTable* table) {
  const std::string log_path = program.dir + "\\" + kPhaseLogName;
  DeleteFileA(log_path.c_str());
  RunSample sample;
  if (!RunOnce(program, bench_case, options, &sample)) return false;
  std::vector<TimePoint> points;
  if (!PhaseTimeline(sample, log_path, &points)) {
    std::fprintf(stderr, "velm_bench: no readable phase log at %s\n", log_path.c_str());
    return false;
  }
  table->Add(SpansOf(points, CounterFrequency()));
  return true;
}

bool Measure(const Subjects& s, const std::vector<BenchCase>& cases, int runs,
             std::vector<CaseFigures>* figures) {
  for (int round = -kWarmupRounds; round < runs; ++round) {
    for (std::size_t c = 0; c < cases.size(); ++c) {
      CaseFigures warmup;
      CaseFigures* target = round < 0 ? &warmup : &(*figures)[c];
      const bool floor_first = (round + static_cast<int>(c)) % 2 == 0;
      if (!RunPair(s, cases[c], floor_first, target) ||
          !RunPhases(s.phases, cases[c], s.run_options, &target->phases) ||
          !RunPhases(s.floor_phases, cases[c], s.run_options, &target->floor_phases)) {
        return false;
      }
    }
    std::fprintf(stderr, "velm_bench: round %d of %d done\n", round + 1, runs);
  }
  return true;
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
  e2e::Sandbox floor_box, velm_box, phases_box, floor_phases_box;
  if (Failed(e2e::Sandbox::Create(work_root, "floor", e2e::WinePath(BENCH_FLOOR_EXE), &floor_box),
             "floor folder") ||
      Failed(e2e::Sandbox::Create(work_root, "velm", e2e::WinePath(BENCH_VELM_EXE), &velm_box),
             "velm folder") ||
      Failed(
          e2e::Sandbox::Create(work_root, "phases", e2e::WinePath(BENCH_PHASES_EXE), &phases_box),
          "phases folder") ||
      Failed(e2e::Sandbox::Create(work_root, "floor_phases", e2e::WinePath(BENCH_FLOOR_PHASES_EXE),
                                  &floor_phases_box),
             "floor phases folder")) {
    return 1;
  }
  const Subjects subjects{
      {floor_box.exe(), floor_box.dir(), "VelmBenchFloor", ""},
      {velm_box.exe(), velm_box.dir(), "TForm1", velm::text::kButtonExit},
      {phases_box.exe(), phases_box.dir(), "TForm1", velm::text::kButtonExit},
      {floor_phases_box.exe(), floor_phases_box.dir(), "VelmBenchFloor", ""},
      {e2e::Timeout{30000}, std::chrono::milliseconds(options.settle_ms)},
  };
  const std::vector<BenchCase> cases = StandardCases();
  std::vector<CaseFigures> figures(cases.size());
  for (std::size_t c = 0; c < cases.size(); ++c) figures[c].name = cases[c].name;

  if (!Measure(subjects, cases, options.runs, &figures)) return 1;
  // The prefix is the benchmark's own; leave no history behind all the same.
  if (Failed(e2e::DeleteHistoryKey(), "removing the history")) return 1;

  PrintSize(FileSize(velm_box.exe()));
  std::printf("%d rounds after %d of warm-up; %d ms settle before each close\n", options.runs,
              kWarmupRounds, options.settle_ms);
  PrintComparison(figures, true);
  PrintComparison(figures, false);
  PrintMemory(figures);
  PrintPhases(figures, false);
  PrintPhases(figures, true);
  return 0;
}

}  // namespace

}  // namespace bench

int main(int argc, char** argv) {
  return bench::Main(argc, argv);
}
