// The recording side of the phase marks, linked only into the benchmark's
// build of the program. Marks go into a fixed array (no allocation while
// timing) and reach the file once, at the very end.
#include <windows.h>

#include <string>

#include "shell/exe_path.h"
#include "shell/phase_marks.h"
#include "shell/unique_handle.h"
#include "stores/startup_sequence.h"

namespace velm {

namespace {

struct Mark {
  const char* name;
  LONGLONG ticks;
};

constexpr int kMaxMarks = 32;
Mark g_marks[kMaxMarks];
int g_mark_count = 0;

constexpr char kSettingsName[] = "velm.ini";
constexpr char kLogName[] = "velm-phases.txt";

// Beside the executable, where velm.ini goes.
std::string LogPath() {
  std::string path = SettingsPathFor(ExecutablePath());
  path.resize(path.size() - (sizeof kSettingsName - 1));
  return path + kLogName;
}

}  // namespace

void MarkPhase(const char* name) noexcept {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  if (g_mark_count < kMaxMarks) g_marks[g_mark_count++] = {name, now.QuadPart};
}

void SavePhaseLog() noexcept {
  try {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::string text = "frequency " + std::to_string(frequency.QuadPart) + "\r\n";
    for (int i = 0; i < g_mark_count; ++i) {
      text += std::to_string(g_marks[i].ticks) + " " + g_marks[i].name + "\r\n";
    }
    HANDLE opened = CreateFileA(LogPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return;
    UniqueHandle file{opened};
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  } catch (...) {
    // Out of memory at the end of a benchmark run: the log is lost, no more.
  }
}

}  // namespace velm
