// The benchmark's printed figures: medians with their spread, ratios to the
// floor beside the targets, peak memory and the phase spans.
#pragma once

#include <cstdint>
#include <vector>

#include "case_figures.h"

namespace bench {

// Targets as ratios to the floor, in the order of StandardCases(); the 3 MB
// start-up has none.
inline constexpr double kStartupTargets[] = {1.10, 1.20, 1.50};
inline constexpr double kCloseTarget = 1.10;
inline constexpr double kSizeTargetKb = 400;

void PrintSize(std::uint64_t bytes);
void PrintComparison(const std::vector<CaseFigures>& figures, bool startup);
void PrintMemory(const std::vector<CaseFigures>& figures);
// velm_phases.exe's spans, or with floor the floor's.
void PrintPhases(const std::vector<CaseFigures>& figures, bool floor);

}  // namespace bench
