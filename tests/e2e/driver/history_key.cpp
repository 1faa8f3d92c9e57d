#include "driver/history_key.h"

#include <iomanip>

#include "core/unique_resource.h"

namespace e2e {

namespace {

struct KeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle key) { RegCloseKey(key); }
};
using UniqueKey = velm::UniqueResource<KeyTraits>;

UniqueKey OpenHistory(REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kHistoryKey, 0, access, &key) != ERROR_SUCCESS) return {};
  return UniqueKey(key);
}

}  // namespace

void PrintTo(const RegValue& value, std::ostream* out) {
  *out << "{type " << value.type << ", " << value.data.size() << " bytes \"";
  for (unsigned char c : value.data) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      *out << c;
    } else {
      *out << "\\x" << std::hex << std::setw(2) << std::setfill('0') << static_cast<int>(c)
           << std::dec;
    }
  }
  *out << "\"}";
}

RegValue StringValue(std::string_view text) {
  RegValue value{REG_SZ, std::string(text)};
  value.data.push_back('\0');
  return value;
}

HistoryValues SavedUrls(std::initializer_list<std::string_view> texts) {
  HistoryValues values;
  int n = 0;
  for (std::string_view text : texts) values["url" + std::to_string(++n)] = StringValue(text);
  return values;
}

testing::AssertionResult DeleteHistoryKey() {
  const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, kHistoryKey);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    return testing::AssertionFailure() << "cannot delete the history key (error " << status << ")";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult ResetHistoryKey() {
  if (testing::AssertionResult deleted = DeleteHistoryKey(); !deleted) return deleted;
  HKEY key = nullptr;
  const LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, kHistoryKey, 0, nullptr, 0,
                                         KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    return testing::AssertionFailure() << "cannot create the history key (error " << status << ")";
  }
  RegCloseKey(key);
  return testing::AssertionSuccess();
}

testing::AssertionResult SeedHistory(std::initializer_list<std::string_view> texts) {
  if (testing::AssertionResult reset = ResetHistoryKey(); !reset) return reset;
  for (const auto& [name, value] : SavedUrls(texts)) {
    if (testing::AssertionResult set = SetHistoryValue(name, value); !set) return set;
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult SetHistoryValue(std::string_view name, const RegValue& value) {
  UniqueKey key = OpenHistory(KEY_SET_VALUE);
  if (!key) return testing::AssertionFailure() << "the history key is missing";
  const std::string value_name(name);
  // The ANSI write counts a string's zero in when the byte after the data is
  // a zero; a non-zero byte there keeps the data exactly as given.
  const std::string data = value.data + '\x7f';
  const LSTATUS status = RegSetValueExA(key.get(), value_name.c_str(), 0, value.type,
                                        reinterpret_cast<const BYTE*>(data.data()),
                                        static_cast<DWORD>(value.data.size()));
  if (status != ERROR_SUCCESS) {
    return testing::AssertionFailure() << "cannot write " << name << " (error " << status << ")";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult SetHistoryString(std::string_view name, std::string_view text) {
  return SetHistoryValue(name, StringValue(text));
}

bool HistoryKeyExists() {
  return static_cast<bool>(OpenHistory(KEY_READ));
}

HistoryValues ReadHistory() {
  HistoryValues values;
  UniqueKey key = OpenHistory(KEY_READ);
  if (!key) return values;
  for (DWORD index = 0;; ++index) {
    char name[256] = {};
    DWORD name_size = sizeof(name);
    if (RegEnumValueA(key.get(), index, name, &name_size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    // Sized by the same query the program makes, so the bytes compared are the
    // bytes the program reads.
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      continue;
    }
    std::string data(size, '\0');
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS) {
      continue;
    }
    data.resize(size);
    values[name] = {type, std::move(data)};
  }
  return values;
}

RegValue WideStringValue(std::wstring_view text) {
  const std::wstring terminated = std::wstring(text) + L'\0';
  return {REG_SZ, std::string(reinterpret_cast<const char*>(terminated.data()),
                              terminated.size() * sizeof(wchar_t))};
}

HistoryValues SavedWideUrls(std::initializer_list<std::wstring_view> texts) {
  HistoryValues values;
  int n = 0;
  for (std::wstring_view text : texts) values["url" + std::to_string(++n)] = WideStringValue(text);
  return values;
}

testing::AssertionResult SeedWideHistory(std::initializer_list<std::wstring_view> texts) {
  if (testing::AssertionResult reset = ResetHistoryKey(); !reset) return reset;
  UniqueKey key = OpenHistory(KEY_SET_VALUE);
  if (!key) return testing::AssertionFailure() << "the history key is missing";
  for (const auto& [name, value] : SavedWideUrls(texts)) {
    const std::wstring wide_name(name.begin(), name.end());
    const LSTATUS status = RegSetValueExW(key.get(), wide_name.c_str(), 0, value.type,
                                          reinterpret_cast<const BYTE*>(value.data.data()),
                                          static_cast<DWORD>(value.data.size()));
    if (status != ERROR_SUCCESS) {
      return testing::AssertionFailure() << "cannot write " << name << " (error " << status << ")";
    }
  }
  return testing::AssertionSuccess();
}

HistoryValues ReadWideHistory() {
  HistoryValues values;
  UniqueKey key = OpenHistory(KEY_READ);
  if (!key) return values;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256] = {};
    DWORD name_size = 256;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key.get(), index, name, &name_size, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    std::string data(size, '\0');
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS) {
      continue;
    }
    data.resize(size);
    const std::wstring wide_name(name, name_size);
    values[std::string(wide_name.begin(), wide_name.end())] = {type, std::move(data)};
  }
  return values;
}

}  // namespace e2e
