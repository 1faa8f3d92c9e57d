// The recording side of the phase marks, linked only into the benchmark's
// build of the program. Marks go into a fixed array (no allocation while
// timing) and reach the file once, at the very end, one a line:
//   frequency <counter ticks per second>
//   <ticks> <settings-file ticks> <settings-file calls> <registry ticks> <registry calls> <name>
// where the call figures are the totals up to the mark.
#include <windows.h>

#include <memory>
#include <string>

#include "core/win32_handles.h"
#include "shell/exe_path.h"
#include "shell/phase_marks.h"
#include "stores/phase_timed.h"
#include "stores/startup_sequence.h"
#include "timed_backends.h"

namespace velm {

namespace {

struct Mark {
  const char* name;
  std::int64_t ticks;
  CallTally profile;
  CallTally registry;
};

constexpr int kMaxMarks = 32;
Mark g_marks[kMaxMarks];
int g_mark_count = 0;

std::unique_ptr<TimedSettingsFile> g_profile;
std::unique_ptr<TimedRegistry> g_registry;

constexpr char kSettingsName[] = "velm.ini";
constexpr char kLogName[] = "velm-phases.txt";

std::int64_t CounterNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// Beside the executable, where velm.ini goes.
std::string LogPath() {
  std::string path = SettingsPathFor(ExecutablePath()).ansi();
  path.resize(path.size() - (sizeof kSettingsName - 1));
  return path + kLogName;
}

std::string LogLine(const Mark& mark) {
  return std::to_string(mark.ticks) + " " + std::to_string(mark.profile.ticks) + " " +
         std::to_string(mark.profile.calls) + " " + std::to_string(mark.registry.ticks) + " " +
         std::to_string(mark.registry.calls) + " " + mark.name + "\r\n";
}

}  // namespace

void MarkPhase(const char* name) noexcept {
  if (g_mark_count == kMaxMarks) return;
  Mark& mark = g_marks[g_mark_count++];
  mark.ticks = CounterNow();
  mark.name = name;
  if (g_profile) mark.profile = g_profile->total();
  if (g_registry) mark.registry = g_registry->total();
}

SettingsFile& PhaseTimed(SettingsFile& backend) {
  g_profile = std::make_unique<TimedSettingsFile>(backend, CounterNow);
  return *g_profile;
}

RegistryBackend& PhaseTimed(RegistryBackend& backend) {
  g_registry = std::make_unique<TimedRegistry>(backend, CounterNow);
  return *g_registry;
}

void SavePhaseLog() noexcept {
  try {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::string text = "frequency " + std::to_string(frequency.QuadPart) + "\r\n";
    for (int i = 0; i < g_mark_count; ++i) text += LogLine(g_marks[i]);
    UniqueFile file(CreateFileA(LogPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  } catch (...) {
    // Out of memory at the end of a benchmark run: the log is lost, no more.
  }
}

}  // namespace velm
