// The four private-profile calls, one value at a time, behind one narrow
// interface: Win32Profile calls the real functions and is the reference the
// settings document is held against; DocumentProfile answers from the
// document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "stores/ini_document.h"

namespace velm {

class ProfileBackend {
 public:
  virtual ~ProfileBackend() = default;

  // The value of key in section, at most 2,047 bytes; absent reads as empty.
  // Names match without regard to ASCII case.
  virtual std::string Read(const std::string& path, std::string_view section,
                           std::string_view key) = 0;
  // Creates file, section and key as needed. false: the platform refused.
  [[nodiscard]] virtual bool Write(const std::string& path, std::string_view section,
                                   std::string_view key, std::string_view value) = 0;
  // Removes the key's line; a missing key, section or file is no error.
  virtual void Delete(const std::string& path, std::string_view section, std::string_view key) = 0;
  // Completes whatever caching the platform does.
  virtual void Flush(const std::string& path) = 0;
};

}  // namespace velm
