// velm_bench: times velm.exe's start-up and close under Wine against two
// floor programs, one that shows one window and one that makes velm.exe's
// own windows and nothing else, for the empty, the realistic, the 300 KB and
// the 3 MB case, and shows where the time goes. Runs inside the prefix it
// measures; prints figures only, it judges nothing.
//
//   velm_bench.exe [--runs N] [--settle MS]
//
// Each round takes every case in turn: the three programs one after the
// other, then their builds with phase marks in the same order, the first of
// them rotating from case to case and round to round, each run seeded afresh,
// so all figures of a round see the machine in the same state. One round of
// warm-up is thrown away.
#include <windows.h>

#include <algorithm>
#include <array>
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

// A program, its build with phase marks (writing its phase log beside
// itself) and where its figures go.
struct Subject {
  Program program;
  Program marked;
  ProgramFigures CaseFigures::*figures;
};

// What one round runs, in the order of the first round.
using Subjects = std::array<Subject, 3>;

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

// The three programs one after the other, starting with subjects[first];
// their figures are kept only when all three ran, so run i of each stays in
// the same round.
bool RunTriple(const Subjects& subjects, const BenchCase& bench_case, std::size_t first,
               const RunOptions& options, CaseFigures* figures) {
  std::array<RunSample, std::tuple_size_v<Subjects>> samples;
  for (std::size_t turn = 0; turn < subjects.size(); ++turn) {
    const std::size_t i = (first + turn) % subjects.size();
    if (!RunOnce(subjects[i].program, bench_case, options, &samples[i])) return false;
  }
  for (std::size_t i = 0; i < subjects.size(); ++i) {
    ProgramFigures& program = figures->*subjects[i].figures;
    program.startup.push_back(samples[i].startup_ms);
    program.close.push_back(samples[i].close_ms);
    program.peak_ws.push_back(Megabytes(samples[i].peak_working_set));
    program.peak_pf.push_back(Megabytes(samples[i].peak_pagefile));
  }
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

bool Measure(const Subjects& subjects, const std::vector<BenchCase>& cases,
             const RunOptions& options, int runs, std::vector<CaseFigures>* figures) {
  for (int round = -kWarmupRounds; round < runs; ++round) {
    for (std::size_t c = 0; c < cases.size(); ++c) {
      CaseFigures warmup;
      CaseFigures* target = round < 0 ? &warmup : &(*figures)[c];
      const std::size_t first = static_cast<std::size_t>(round + kWarmupRounds + c) % 3;
      if (!RunTriple(subjects, cases[c], first, options, target)) return false;
      for (std::size_t turn = 0; turn < subjects.size(); ++turn) {
        const Subject& subject = subjects[(first + turn) % subjects.size()];
        if (!RunPhases(subject.marked, cases[c], options, &(target->*subject.figures).phases)) {
          return false;
        }
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
  // Each program runs from a folder of its own, with its velm.ini beside it.
  const std::string work_root = e2e::WinePath(BENCH_WORK_ROOT);
  bool placed = true;
  auto place = [&](const char* folder, const char* exe, const char* window_class,
                   const char* exit_button) {
    e2e::Sandbox box;
    placed = placed && !Failed(e2e::Sandbox::Create(work_root, folder, e2e::WinePath(exe), &box),
                               std::string(folder) + " folder");
    return Program{box.exe(), box.dir(), window_class, exit_button};
  };
  const char* const exit = velm::text::kButtonExit;
  const Subjects subjects{{
      {place("floor", BENCH_FLOOR_EXE, "VelmBenchFloor", ""),
       place("floor_phases", BENCH_FLOOR_PHASES_EXE, "VelmBenchFloor", ""), &CaseFigures::floor},
      {place("floor_forms", BENCH_FLOOR_FORMS_EXE, "TForm1", exit),
       place("floor_forms_phases", BENCH_FLOOR_FORMS_PHASES_EXE, "TForm1", exit),
       &CaseFigures::forms_floor},
      {place("velm", BENCH_VELM_EXE, "TForm1", exit),
       place("phases", BENCH_PHASES_EXE, "TForm1", exit), &CaseFigures::velm},
  }};
  if (!placed) return 1;
  const RunOptions run_options{e2e::Timeout{30000}, std::chrono::milliseconds(options.settle_ms)};
  const std::vector<BenchCase> cases = StandardCases();
  std::vector<CaseFigures> figures(cases.size());
  for (std::size_t c = 0; c < cases.size(); ++c) figures[c].name = cases[c].name;

  if (!Measure(subjects, cases, run_options, options.runs, &figures)) return 1;
  // The prefix is the benchmark's own; leave no history behind all the same.
  if (Failed(e2e::DeleteHistoryKey(), "removing the history")) return 1;

  PrintSize(FileSize(subjects[2].program.exe));
  std::printf("%d rounds after %d of warm-up; %d ms settle before each close\n", options.runs,
              kWarmupRounds, options.settle_ms);
  PrintComparison(figures, true);
  PrintComparison(figures, false);
  PrintMemory(figures);
  PrintPhases(figures, &CaseFigures::velm, "velm_phases.exe");
  PrintPhases(figures, &CaseFigures::forms_floor, "bench_floor_forms_phases.exe");
  PrintPhases(figures, &CaseFigures::floor, "bench_floor_phases.exe");
  return 0;
}

}  // namespace

}  // namespace bench

int main(int argc, char** argv) {
  return bench::Main(argc, argv);
}
