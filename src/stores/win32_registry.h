// The history key through the Windows registry functions, wide forms: a
// value's text is its UTF-16 units, whatever the code page. A key it
// opens is the caller's, held as a UniqueHistoryKey, which closes it.
#pragma once

#include <windows.h>

#include "stores/registry_backend.h"

namespace velm {

// Below HKEY_CURRENT_USER; a leading backslash would make the open fail.
inline constexpr char kHistorySubkey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs\\";

class Win32Registry : public RegistryBackend {
 public:
  [[nodiscard]] OpenResult Open(KeyUse use, Key* key) override;
  [[nodiscard]] bool QuerySize(Key key, const std::string& name, std::uint32_t* type,
                               std::uint32_t* size) override;
  [[nodiscard]] bool QueryData(Key key, const std::string& name, std::uint32_t* type,
                               std::vector<char>* data) override;
  [[nodiscard]] bool QueryLastWrite(Key key, std::uint64_t* stamp) override;
  void Delete(Key key, const std::string& name) override;
  [[nodiscard]] bool Write(Key key, const std::string& name, std::u16string_view text) override;
  void Close(Key key) override;
};

}  // namespace velm
