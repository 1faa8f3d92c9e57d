// Puts a benchmark case in place before a run: the history key of the
// current user and the velm.ini a program will find beside itself.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "bench_cases.h"

namespace bench {

testing::AssertionResult SeedCase(const BenchCase& bench_case, const std::string& ini_path);

}  // namespace bench
