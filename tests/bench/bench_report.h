// The benchmark's printed figures: medians with their spread, velm.exe's
// ratios to both floors beside the targets, peak memory and the phase spans.
#pragma once

#include <cstdint>
#include <vector>

#include "case_figures.h"

namespace bench {

// Targets as ratios to the same-window floor, in the order of
// StandardCases(); the 3 MB start-up has none.
inline constexpr double kStartupTargets[] = {1.10, 1.10, 1.10, 1.10};
inline constexpr double kCloseTarget = 1.10;
inline constexpr double kSizeTargetKb = 400;

void PrintSize(std::uint64_t bytes);
void PrintComparison(const std::vector<CaseFigures>& figures, bool startup);
void PrintMemory(const std::vector<CaseFigures>& figures);
// The spans of one program's marked build, named marked_exe.
void PrintPhases(const std::vector<CaseFigures>& figures, ProgramFigures CaseFigures::*program,
                 const char* marked_exe);

}  // namespace bench
