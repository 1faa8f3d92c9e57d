#pragma once

#include <string>

namespace velm {

// Full path of the running executable, in UTF-16: the folder's name need not
// fit the ANSI code page, and may be longer than MAX_PATH.
std::u16string ExecutablePath();

}  // namespace velm
