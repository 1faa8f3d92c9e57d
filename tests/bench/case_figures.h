// Everything measured for one case over all rounds: the floor and velm.exe
// side by side, and the phase spans of their marked builds.
#pragma once

#include <string>
#include <vector>

#include "timeline.h"

namespace bench {

struct CaseFigures {
  std::string name;
  std::vector<double> floor_startup, velm_startup, floor_close, velm_close;      // ms
  std::vector<double> floor_peak_ws, velm_peak_ws, floor_peak_pf, velm_peak_pf;  // MB
  SpanTable phases;                                                              // velm_phases.exe
  SpanTable floor_phases;  // bench_floor_phases.exe
};

}  // namespace bench
