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
  std::printf("\n%s (ms: median [min-max])\n",
              startup ? "start-up: process start to main window shown"
                      : "close: click on Exit (floor: WM_CLOSE) to process end");
  std::printf("%-10s %-24s %-24s %7s %7s\n", "case", "floor", "velm.exe", "ratio", "target");
  for (std::size_t c = 0; c < figures.size(); ++c) {
    const CaseFigures& f = figures[c];
    const std::vector<double>& floor = startup ? f.floor_startup : f.floor_close;
    const std::vector<double>& velm = startup ? f.velm_startup : f.velm_close;
    const Spread fs = SpreadOf(floor);
    const Spread vs = SpreadOf(velm);
    char floor_text[64], velm_text[64];
    std::snprintf(floor_text, sizeof floor_text, "%.1f [%.1f-%.1f]", fs.median, fs.min, fs.max);
    std::snprintf(velm_text, sizeof velm_text, "%.1f [%.1f-%.1f]", vs.median, vs.min, vs.max);
    char target[16] = "-";
    if (!startup) {
      std::snprintf(target, sizeof target, "%.2f", kCloseTarget);
    } else if (c < std::size(kStartupTargets)) {
      std::snprintf(target, sizeof target, "%.2f", kStartupTargets[c]);
    }
    std::printf("%-10s %-24s %-24s %7.2f %7s\n", f.name.c_str(), floor_text, velm_text,
                MedianRatio(velm, floor), target);
  }
}

void PrintMemory(const std::vector<CaseFigures>& figures) {
  std::printf("\npeak memory (MB, median; PeakWorkingSetSize / PeakPagefileUsage)\n");
  std::printf("%-10s %-20s %-20s\n", "case", "floor", "velm.exe");
  for (const CaseFigures& f : figures) {
    char floor_text[48], velm_text[48];
    std::snprintf(floor_text, sizeof floor_text, "%.1f / %.1f", Median(f.floor_peak_ws),
                  Median(f.floor_peak_pf));
    std::snprintf(velm_text, sizeof velm_text, "%.1f / %.1f", Median(f.velm_peak_ws),
                  Median(f.velm_peak_pf));
    std::printf("%-10s %-20s %-20s\n", f.name.c_str(), floor_text, velm_text);
  }
}

void PrintPhases(const std::vector<CaseFigures>& figures, bool floor) {
  if (figures.empty()) return;
  std::vector<const SpanTable*> tables;
  for (const CaseFigures& f : figures) tables.push_back(floor ? &f.floor_phases : &f.phases);
  std::printf("\nwhere the time goes: %s, spans between marks\n",
              floor ? "bench_floor_phases.exe" : "velm_phases.exe");
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
