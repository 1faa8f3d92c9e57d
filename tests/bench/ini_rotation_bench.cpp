// Micro-benchmarks of the settings document over the portable file: a full
// rotation of six generations of 25 values, the whole start-up store
// sequence and the close's write of the window settings, for realistic
// (80-byte) and extreme (2,000-byte) values, the latter also in a file padded
// with other sections to 3 MB. The file is seeded afresh before every
// iteration, outside the timed part.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_cases.h"
#include "memory_registry.h"
#include "portable_settings_file.h"
#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/settings.h"
#include "stores/startup_sequence.h"

namespace {

using velm::testing::ScratchDir;
using velm::testing::WriteBytes;

std::size_t ValueBytes(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0));
}

// The six generations, padded to range(1) bytes when the case has one.
std::string SeededIni(const benchmark::State& state) {
  const std::size_t total = state.range(1) > 0 ? static_cast<std::size_t>(state.range(1)) : 0;
  return bench::PaddedIni(ValueBytes(state), total);
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
  const std::string seeded = SeededIni(state);
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
        file, registry, ini_path, [&](const velm::HistoryValue&) { ++entries; }, &startup);
  }
  if (entries != history.size()) state.SkipWithError("the history did not load whole");
  state.counters["ini_bytes"] = static_cast<double>(seeded.size());
}

// The close: three FORM values changed in one replacement of the file.
void BM_SaveWindowSettings(benchmark::State& state) {
  ScratchDir dir;
  const std::string ini_path = dir.File("velm.ini");
  const std::string seeded = SeededIni(state);
  velm::PortableSettingsFile file;
  int top = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteBytes(ini_path, seeded);
    state.ResumeTiming();
    velm::SaveWindowSettings(file, ini_path, {false, ++top, 300});
  }
  state.counters["ini_bytes"] = static_cast<double>(seeded.size());
}

BENCHMARK(BM_RotateGenerations)
    ->Arg(bench::kRealisticBytes)
    ->Arg(bench::kExtremeBytes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupSequence)
    ->Args({bench::kRealisticBytes, 0})
    ->Args({bench::kExtremeBytes, 0})
    ->Args({bench::kExtremeBytes, bench::kHugeIniBytes})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWindowSettings)
    ->Args({bench::kRealisticBytes, 0})
    ->Args({bench::kExtremeBytes, 0})
    ->Args({bench::kExtremeBytes, bench::kHugeIniBytes})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
