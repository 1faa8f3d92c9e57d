// velm.ini as a plain INI file, for platforms without the private-profile
// functions and for tests. Keeps the promises of the Windows functions (see
// IniDocument) and one more: a write replaces the file whole through a
// temporary file beside it, so velm.ini is never left half written.
#pragma once

#include "stores/profile_backend.h"

namespace velm {

class PortableProfile : public ProfileBackend {
 public:
  // Longer values are cut to kMaxProfileValueBytes, as with a 2,048-byte
  // buffer on Windows; a double-byte character that would be split is left
  // out whole.
  std::string Read(const std::string& path, std::string_view section,
                   std::string_view key) override;
  // Refuses names and values holding CR or LF: they would create lines.
  [[nodiscard]] bool Write(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view value) override;
  void Delete(const std::string& path, std::string_view section, std::string_view key) override;
  // Every write is complete when it returns.
  void Flush(const std::string& path) override;
};

}  // namespace velm
