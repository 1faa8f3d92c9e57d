// The history key through the Windows registry functions (ANSI forms; the
// wide ones only for a value whose ANSI form loses characters). Every
// key it opens is owned until Close, and closed at the latest when the back
// end goes.
#pragma once

#include <windows.h>

#include <vector>

#include "core/unique_resource.h"
#include "stores/registry_backend.h"

namespace velm {

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle key) { RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;

// Below HKEY_CURRENT_USER; a leading backslash would make the open fail.
inline constexpr char kHistorySubkey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs\\";

class Win32Registry : public RegistryBackend {
 public:
  [[nodiscard]] bool Open(Key* key) override;
  [[nodiscard]] bool QuerySize(Key key, const std::string& name, std::uint32_t* type,
                               std::uint32_t* size) override;
  [[nodiscard]] bool QueryData(Key key, const std::string& name, std::uint32_t* type,
                               std::vector<char>* data) override;
  void Delete(Key key, const std::string& name) override;
  [[nodiscard]] bool Write(Key key, const std::string& name, std::string_view text) override;
  [[nodiscard]] std::u16string QueryOriginal(Key key, const std::string& name,
                                             std::string_view ansi,
                                             std::uint32_t ansi_size) override;
  [[nodiscard]] bool WriteOriginal(Key key, const std::string& name,
                                   const std::u16string& original) override;
  void Close(Key key) override;

 private:
  std::vector<UniqueRegistryKey> open_;
};

}  // namespace velm
