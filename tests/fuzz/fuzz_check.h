// How a fuzz target reports a broken promise: it names it and ends the
// process, which libFuzzer keeps as a crash and the replay turns into a
// failing test.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace velm::fuzz {

inline void Check(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", promise);
  std::abort();
}

}  // namespace velm::fuzz
