// velm.ini through the Windows private-profile functions (ANSI forms).
#pragma once

#include "profile_backend.h"

namespace velm {

class Win32Profile : public ProfileBackend {
 public:
  std::string Read(const std::string& path, std::string_view section,
                   std::string_view key) override;
  [[nodiscard]] bool Write(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view value) override;
  void Delete(const std::string& path, std::string_view section, std::string_view key) override;
  void Flush(const std::string& path) override;
};

}  // namespace velm
