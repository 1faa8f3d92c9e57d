// Names folded to lower case, as keys of the tests' maps: the registry and
// velm.ini match names without regard to the case of ASCII letters.
#pragma once

#include <string>
#include <string_view>

#include "core/ascii_text.h"

namespace velm {

inline std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

}  // namespace velm
