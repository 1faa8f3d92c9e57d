#include "stores/win32_registry.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace velm {

namespace {

HKEY AsHkey(RegistryBackend::Key key) {
  return reinterpret_cast<HKEY>(key);
}

// Value names are "url" and digits: ASCII widens unit by unit.
std::wstring WideName(const std::string& name) {
  return std::wstring(name.begin(), name.end());
}

std::uint64_t FileTimeUnits(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Three clock ticks at Windows' coarsest, in 100-ns units.
constexpr std::uint64_t kStampTrustedAfter = 500'000;

}  // namespace

OpenResult Win32Registry::Open(KeyUse use, Key* key) {
  // Only the rights the step needs: full access would also ask for the right
  // to change the key's security, which a user who may write values can
  // still lack.
  const REGSAM access = use == KeyUse::kLoad ? KEY_QUERY_VALUE : KEY_QUERY_VALUE | KEY_SET_VALUE;
  HKEY opened = nullptr;
  LSTATUS status = ERROR_SUCCESS;
  if (use == KeyUse::kCreateForSave) {
    // Without the trailing backslash: an open tolerates it, a creation need not.
    const std::string subkey(kHistorySubkey, sizeof kHistorySubkey - 2);
    status = RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             access, nullptr, &opened, nullptr);
  } else {
    status = RegOpenKeyExA(HKEY_CURRENT_USER, kHistorySubkey, 0, access, &opened);
  }
  if (status == ERROR_FILE_NOT_FOUND) return OpenResult::kMissing;
  if (status != ERROR_SUCCESS) return OpenResult::kRefused;
  *key = reinterpret_cast<Key>(opened);
  return OpenResult::kOpened;
}

bool Win32Registry::QuerySize(Key key, const std::string& name, std::uint32_t* type,
                              std::uint32_t* size) {
  DWORD value_type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(AsHkey(key), WideName(name).c_str(), nullptr, &value_type, nullptr,
                       &bytes) != ERROR_SUCCESS) {
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
  if (RegQueryValueExW(AsHkey(key), WideName(name).c_str(), nullptr, &value_type,
                       reinterpret_cast<BYTE*>(data->data()), &bytes) != ERROR_SUCCESS) {
    return false;
  }
  data->resize(std::min<std::size_t>(bytes, data->size()));
  *type = value_type;
  return true;
}

bool Win32Registry::QueryLastWrite(Key key, std::uint64_t* stamp) {
  FILETIME written{};
  if (RegQueryInfoKeyW(AsHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS) {
    return false;
  }
  FILETIME clock{};
  GetSystemTimeAsFileTime(&clock);
  const std::uint64_t last = FileTimeUnits(written);
  const std::uint64_t now = FileTimeUnits(clock);
  // Windows stamps a change with the system clock's tick (15.6 ms by
  // default): a change later in the tick that stamped this one would get
  // the same time. Once the clock has moved well past it, any later change
  // is stamped apart.
  if (now < last || now - last < kStampTrustedAfter) return false;
  *stamp = last;
  return true;
}

void Win32Registry::Delete(Key key, const std::string& name) {
  RegDeleteValueW(AsHkey(key), WideName(name).c_str());
}

bool Win32Registry::Write(Key key, const std::string& name, std::u16string_view text) {
  const std::wstring terminated(text.begin(), text.end());  // the zero is stored too
  return RegSetValueExW(AsHkey(key), WideName(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(terminated.c_str()),
                        static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t))) ==
         ERROR_SUCCESS;
}

void Win32Registry::Close(Key key) {
  RegCloseKey(AsHkey(key));
}

}  // namespace velm
