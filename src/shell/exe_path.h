#pragma once

#include <string>

namespace velm {

// Full path of the running executable, in the ANSI code page.
std::string ExecutablePath();

}  // namespace velm
