// Micro-benchmarks of the settings document over the portable file: a full
// rotation of six generations of 25 values, and the whole start-up store
// sequence, for
// realistic (80-byte) and extreme (2,000-byte) values. The file is seeded
// afresh before every iteration, outside the timed part.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_cases.h"
#include "memory_registry.h"
#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/portable_settings_file.h"
#include "stores/settings.h"
#include "stores/startup_sequence.h"

namespace {

using velm::testing::ScratchDir;
using velm::testing::WriteBytes;

std::size_t ValueBytes(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0));
}

void BM_RotateGenerations(benchmark::State& state) {
  ScratchDir dir;
  const std::string ini_path = dir.File("velm.ini");
  const std::string seeded = bench::SixGenerationsIni(ValueBytes(state));
  velm::PortableSettingsFile file;
  for (auto _ : state) {
    state.PauseTiming();
    WriteBytes(ini_path, seeded);
    state.ResumeTiming();
    velm::Settings settings(file, ini_path);
    velm::RotateGenerations(settings);
    settings.Commit();
  }
  state.counters["ini_bytes"] = static_cast<double>(seeded.size());
}

void BM_StartupSequence(benchmark::State& state) {
  ScratchDir dir;
  const std::string ini_path = dir.File("velm.ini");
  const std::string seeded = bench::SixGenerationsIni(ValueBytes(state));
  const std::vector<std::string> history = bench::FullHistory(ValueBytes(state));
  velm::PortableSettingsFile file;
  std::size_t entries = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteBytes(ini_path, seeded);
    velm::MemoryRegistry registry;
    for (std::size_t i = 0; i < history.size(); ++i) {
      registry.SetString(velm::HistoryValueName(static_cast<int>(i) + 1), history[i]);
    }
    entries = 0;
    state.ResumeTiming();
    velm::StartupState startup;
    velm::RunStartupSequence(
        file, registry, ini_path, [&](const std::string&) { ++entries; }, &startup);
  }
  if (entries != history.size()) state.SkipWithError("the history did not load whole");
}

BENCHMARK(BM_RotateGenerations)
    ->Arg(bench::kRealisticBytes)
    ->Arg(bench::kExtremeBytes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupSequence)
    ->Arg(bench::kRealisticBytes)
    ->Arg(bench::kExtremeBytes)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
