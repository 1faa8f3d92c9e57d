// Everything measured for one case over all rounds: the two floors and
// velm.exe side by side, run for run, and the phase spans of their marked
// builds.
#pragma once

#include <string>
#include <vector>

#include "timeline.h"

namespace bench {

// One program's runs of a case; run i of every program of a case was taken
// in the same round.
struct ProgramFigures {
  std::vector<double> startup, close;    // ms
  std::vector<double> peak_ws, peak_pf;  // MB
  SpanTable phases;                      // of its phase-marked build
};

struct CaseFigures {
  std::string name;
  ProgramFigures floor;        // bench_floor.exe: one window
  ProgramFigures forms_floor;  // bench_floor_forms.exe: velm.exe's windows only
  ProgramFigures velm;
};

}  // namespace bench
