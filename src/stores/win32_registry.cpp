#include "stores/win32_registry.h"

#include <algorithm>
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

// What RegSetValueExA would store for ansi.
std::wstring AnsiWrittenAs(std::string_view ansi) {
  const int length = static_cast<int>(ansi.size());
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), length);
  wide.resize(units > 0 ? static_cast<std::size_t>(units) : 0);
  return wide;
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

std::u16string Win32Registry::QueryOriginal(Key key, const std::string& name, std::string_view ansi,
                                            std::uint32_t ansi_size) {
  // Every UTF-16 unit turns into at least one ANSI byte, so the ANSI size
  // counts enough units for the whole text, and one more takes a zero the
  // system may add.
  std::wstring wide(static_cast<std::size_t>(ansi_size) + 1, L'\0');
  DWORD bytes = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
  DWORD type = 0;
  if (RegQueryValueExW(AsHkey(key), WideName(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(wide.data()), &bytes) != ERROR_SUCCESS) {
    return {};  // the ANSI text is all there is to write back
  }
  wide.resize(std::min<std::size_t>(bytes / sizeof(wchar_t), wide.size()));
  wide.resize(wide.find(L'\0') == std::wstring::npos ? wide.size() : wide.find(L'\0'));
  if (wide == AnsiWrittenAs(ansi)) return {};
  return std::u16string(wide.begin(), wide.end());
}

bool Win32Registry::WriteOriginal(Key key, const std::string& name,
                                  const std::u16string& original) {
  const std::wstring terminated(original.begin(), original.end());  // the zero is stored too
  return RegSetValueExW(AsHkey(key), WideName(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(terminated.c_str()),
                        static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t))) ==
         ERROR_SUCCESS;
}

void Win32Registry::Close(Key key) {
  const auto it = std::find_if(open_.begin(), open_.end(),
                               [&](const UniqueRegistryKey& k) { return k.get() == AsHkey(key); });
  if (it != open_.end()) open_.erase(it);  // the owner closes it
}

}  // namespace velm
