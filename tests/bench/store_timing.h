// The store side of start-up and close alone: TForm1's FormCreate and its
// close request, run in this process on the headless toolkit over the real
// Win32 profile and registry back ends, with every platform call timed. What
// the program spends beyond this is the window side.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "bench_cases.h"
#include "timed_backends.h"

namespace bench {

struct StoreSample {
  double create_ms = 0;  // FormCreate whole
  CallTally create_profile;
  CallTally create_registry;
  double close_ms = 0;  // the close request whole (FormClose)
  CallTally close_profile;
  CallTally close_registry;
};

// dir: a folder of its own; velm.ini is seeded there from bench_case.
testing::AssertionResult TimeStoreSide(const BenchCase& bench_case, const std::string& dir,
                                       StoreSample* out);

}  // namespace bench
