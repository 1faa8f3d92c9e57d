#include "stores/win32_registry.h"

#include <algorithm>
#include <string>

namespace velm {

namespace {

HKEY AsHkey(RegistryBackend::Key key) {
  return reinterpret_cast<HKEY>(key);
}

}  // namespace

bool Win32Registry::Open(Key* key) {
  HKEY opened = nullptr;
  // Opened only, never created: without the key there is no history.
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kHistorySubkey, 0, KEY_ALL_ACCESS, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  open_.emplace_back(opened);
  *key = reinterpret_cast<Key>(opened);
  return true;
}

bool Win32Registry::QuerySize(Key key, const std::string& name, std::uint32_t* type,
                              std::uint32_t* size) {
  DWORD value_type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExA(AsHkey(key), name.c_str(), nullptr, &value_type, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return false;
  }
  *type = value_type;
  *size = bytes;
  return true;
}

bool Win32Registry::QueryData(Key key, const std::string& name, std::uint32_t* type,
                              std::vector<char>* data) {
  if (data->empty()) return false;  // a data query always follows a non-zero size
  DWORD value_type = 0;
  DWORD bytes = static_cast<DWORD>(data->size());
  if (RegQueryValueExA(AsHkey(key), name.c_str(), nullptr, &value_type,
                       reinterpret_cast<BYTE*>(data->data()), &bytes) != ERROR_SUCCESS) {
    return false;
  }
  data->resize(std::min<std::size_t>(bytes, data->size()));
  *type = value_type;
  return true;
}

void Win32Registry::Delete(Key key, const std::string& name) {
  RegDeleteValueA(AsHkey(key), name.c_str());
}

bool Win32Registry::Write(Key key, const std::string& name, std::string_view text) {
  const std::string terminated(text);  // the zero byte is stored too
  return RegSetValueExA(AsHkey(key), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(terminated.c_str()),
                        static_cast<DWORD>(terminated.size() + 1)) == ERROR_SUCCESS;
}

void Win32Registry::Close(Key key) {
  const auto it = std::find_if(open_.begin(), open_.end(),
                               [&](const UniqueRegistryKey& k) { return k.get() == AsHkey(key); });
  if (it != open_.end()) open_.erase(it);  // the owner closes it
}

}  // namespace velm
