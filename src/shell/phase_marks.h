// Phase marks: the moments between the steps of start-up and close. The
// benchmark's build of the program (VELM_PHASE_LOG) records each with the
// performance counter, together with the time spent so far inside the
// settings-file and registry calls (stores/phase_timed.h), and writes them to
// velm-phases.txt beside the executable at the end of the run. In the
// program as shipped all of this compiles to nothing.
#pragma once

namespace velm {

#ifdef VELM_PHASE_LOG
void MarkPhase(const char* name) noexcept;
// Writes the marks so far; the last thing the run does.
void SavePhaseLog() noexcept;
#else
inline void MarkPhase(const char*) noexcept {}
inline void SavePhaseLog() noexcept {}
#endif

}  // namespace velm
