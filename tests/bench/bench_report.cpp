#include "bench_report.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "sample_stats.h"

namespace bench {

namespace {

void PrintCaseHeader(const char* first, int width, const std::vector<CaseFigures>& figures) {
  std::printf("%-36s", first);
  for (const CaseFigures& f : figures) std::printf(" %*s", width, f.name.c_str());
  std::printf("\n");
}

// One row of the phase table: for each case the median over its runs of
// what pick() takes from a span, with the call count when count is given.
template <typename Pick>
void PrintSpanRow(const std::string& label, const std::string& span,
                  const std::vector<const SpanTable*>& tables, Pick pick,
                  int (*count)(const Span&) = nullptr) {
  std::printf("%-36s", label.c_str());
  for (const SpanTable* table : tables) {
    const std::vector<Span> runs = table->Find(span);
    std::vector<double> values;
    for (const Span& run : runs) values.push_back(pick(run));
    char cell[32];
    if (count != nullptr && !runs.empty()) {
      std::snprintf(cell, sizeof cell, "%.2f (%d)", Median(values), count(runs.front()));
    } else {
      std::snprintf(cell, sizeof cell, "%.2f", Median(values));
    }
    std::printf(" %14s", cell);
  }
  std::printf("\n");
}

bool HasCalls(const std::string& span, const std::vector<const SpanTable*>& tables) {
  for (const SpanTable* table : tables) {
    for (const Span& run : table->Find(span)) {
      if (run.profile_calls > 0 || run.registry_calls > 0) return true;
    }
  }
  return false;
}

}  // namespace

void PrintSize(std::uint64_t bytes) {
  std::printf("velm.exe: %llu bytes (%.1f KB; target %.0f KB)\n",
              static_cast<unsigned long long>(bytes), static_cast<double>(bytes) / 1024.0,
              kSizeTargetKb);
}

void PrintComparison(const std::vector<CaseFigures>& figures, bool startup) {
  std::printf(
      "\n%s (ms: median [min-max]; ratios: medians of velm.exe's run over the floor's "
      "run of the same round)\n",
      startup ? "start-up: process start to main window shown"
              : "close: click on Exit (one-window floor: WM_CLOSE) to process end");
  std::printf("%-10s %-22s %-22s %-22s %9s %9s %7s\n", "case", "one-window floor",
              "same-window floor", "velm.exe", "x one-win", "x same", "target");
  auto times = [startup](const ProgramFigures& p) -> const std::vector<double>& {
    return startup ? p.startup : p.close;
  };
  for (std::size_t c = 0; c < figures.size(); ++c) {
    const CaseFigures& f = figures[c];
    char cells[3][64];
    const ProgramFigures* programs[] = {&f.floor, &f.forms_floor, &f.velm};
    for (std::size_t p = 0; p < std::size(programs); ++p) {
      const Spread s = SpreadOf(times(*programs[p]));
      std::snprintf(cells[p], sizeof cells[p], "%.1f [%.1f-%.1f]", s.median, s.min, s.max);
    }
    char target[16] = "-";
    if (!startup) {
      std::snprintf(target, sizeof target, "%.2f", kCloseTarget);
    } else if (c < std::size(kStartupTargets)) {
      std::snprintf(target, sizeof target, "%.2f", kStartupTargets[c]);
    }
    std::printf("%-10s %-22s %-22s %-22s %9.2f %9.2f %7s\n", f.name.c_str(), cells[0], cells[1],
                cells[2], MedianRatio(times(f.velm), times(f.floor)),
                MedianRatio(times(f.velm), times(f.forms_floor)), target);
  }
}

void PrintMemory(const std::vector<CaseFigures>& figures) {
  std::printf("\npeak memory (MB, median; PeakWorkingSetSize / PeakPagefileUsage)\n");
  std::printf("%-10s %-20s %-20s %-20s\n", "case", "one-window floor", "same-window floor",
              "velm.exe");
  for (const CaseFigures& f : figures) {
    std::printf("%-10s", f.name.c_str());
    for (const ProgramFigures* p : {&f.floor, &f.forms_floor, &f.velm}) {
      char cell[48];
      std::snprintf(cell, sizeof cell, "%.1f / %.1f", Median(p->peak_ws), Median(p->peak_pf));
      std::printf(" %-20s", cell);
    }
    std::printf("\n");
  }
}

void PrintPhases(const std::vector<CaseFigures>& figures, ProgramFigures CaseFigures::*program,
                 const char* marked_exe) {
  if (figures.empty()) return;
  std::vector<const SpanTable*> tables;
  for (const CaseFigures& f : figures) tables.push_back(&(f.*program).phases);
  std::printf("\nwhere the time goes: %s, spans between marks\n", marked_exe);
  std::printf("(ms, median; in brackets the number of calls)\n");
  PrintCaseHeader("span", 14, figures);
  for (const auto& [name, runs] : tables.front()->rows()) {
    PrintSpanRow(name, name, tables, [](const Span& s) { return s.ms; });
    if (!HasCalls(name, tables)) continue;
    PrintSpanRow(
        "  in velm.ini file calls", name, tables, [](const Span& s) { return s.profile_ms; },
        [](const Span& s) { return s.profile_calls; });
    PrintSpanRow(
        "  in registry calls", name, tables, [](const Span& s) { return s.registry_ms; },
        [](const Span& s) { return s.registry_calls; });
    PrintSpanRow("  everything else", name, tables,
                 [](const Span& s) { return s.ms - s.profile_ms - s.registry_ms; });
  }
}

}  // namespace bench
