// The store back ends as the benchmark's build of the program
// (VELM_PHASE_LOG) sees them: their calls counted and timed for its phase
// log (shell/phase_marks.h). In the program as shipped, the back end itself.
#pragma once

#include "stores/registry_backend.h"
#include "stores/settings_file.h"

namespace velm {

#ifdef VELM_PHASE_LOG
SettingsFile& PhaseTimed(SettingsFile& backend);
RegistryBackend& PhaseTimed(RegistryBackend& backend);
#else
inline SettingsFile& PhaseTimed(SettingsFile& backend) {
  return backend;
}
inline RegistryBackend& PhaseTimed(RegistryBackend& backend) {
  return backend;
}
#endif

}  // namespace velm
