// The start-up's and the close's work on velm.ini done one private-profile
// call per value, in the order the program has always made them: the
// reference the settings document's results are held against. Values that
// reading would trim or unquote are written in a pair of double quotes, and
// a generation holds data when any of its values is not empty.
#pragma once

#include <string>
#include <vector>

#include "profile_backend.h"
#include "stores/startup_sequence.h"

namespace velm::oracle {

// Window settings; then, unless OldUrl1 already reads back as the history
// would, rotation and a snapshot of each of the 25 history texts ("" for a
// value that is absent or empty). Stops at the first write the platform
// refuses and gives false.
bool PerValueStartup(ProfileBackend& profile, const std::string& ini,
                     const std::vector<std::string>& history, WindowSettings* window);

// LSTFLAG, TOP and LEFT of FORM, in that order; false at a refused write.
bool PerValueClose(ProfileBackend& profile, const std::string& ini, const WindowSettings& window);

int PerValueCount(ProfileBackend& profile, const std::string& ini);
std::vector<std::string> PerValueGeneration(ProfileBackend& profile, const std::string& ini, int k);

}  // namespace velm::oracle
