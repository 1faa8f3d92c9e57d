#include "typed_urls_scratch.h"

#include "core/win32_handles.h"
#include "stores/win32_registry.h"

namespace velm::testing {

namespace {

// The history key's path without its trailing backslash, as the key
// functions below want it.
constexpr char kKeyPath[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

UniqueRegistryKey OpenKey(REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, access, &key) != ERROR_SUCCESS) return {};
  return UniqueRegistryKey(key);
}

UniqueRegistryKey CreateKey() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot create the TypedURLs key";
    return {};
  }
  return UniqueRegistryKey(key);
}

}  // namespace

TypedUrlsScratch::TypedUrlsScratch() {
  existed_ = KeyExists();
  if (existed_) saved_ = TakeValues();
  ClearValues();
}

TypedUrlsScratch::~TypedUrlsScratch() {
  ClearValues();
  if (!existed_) {
    RemoveKey();
    return;
  }
  for (const Saved& saved : saved_) SetRaw(saved.name, saved.value.type, saved.value.data);
}

std::vector<TypedUrlsScratch::Saved> TypedUrlsScratch::TakeValues() {
  std::vector<Saved> values;
  UniqueRegistryKey key = OpenKey(KEY_READ);
  if (!key) return values;
  for (DWORD i = 0;; ++i) {
    char name[16384];
    DWORD name_size = sizeof name;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueA(key.get(), i, name, &name_size, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    auto raw = GetRaw(name);
    if (raw) values.push_back({name, *raw});
  }
  return values;
}

void TypedUrlsScratch::ClearValues() {
  UniqueRegistryKey key = CreateKey();
  for (;;) {
    char name[16384];
    DWORD name_size = sizeof name;
    if (RegEnumValueA(key.get(), 0, name, &name_size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (RegDeleteValueA(key.get(), name) != ERROR_SUCCESS) {
      ADD_FAILURE() << "cannot clear value " << name;
      break;
    }
  }
}

void TypedUrlsScratch::RemoveKey() {
  ClearValues();
  if (RegDeleteKeyA(HKEY_CURRENT_USER, kKeyPath) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot remove the TypedURLs key";
  }
}

bool TypedUrlsScratch::KeyExists() {
  return OpenKey(KEY_READ).valid();
}

void TypedUrlsScratch::SetRaw(const std::string& name, std::uint32_t type,
                              const std::vector<char>& data) {
  UniqueRegistryKey key = CreateKey();
  // Through the wide function, which stores the bytes as they are (a
  // string's are its UTF-16 units). A string whose count leaves out its last
  // zero gets the zero counted when the unit after the data is zero; a
  // non-zero guard unit there keeps an unterminated value unterminated.
  std::vector<char> guarded(data);
  guarded.insert(guarded.end(), {'#', '#', '#'});
  if (RegSetValueExW(key.get(), std::wstring(name.begin(), name.end()).c_str(), 0, type,
                     reinterpret_cast<const BYTE*>(guarded.data()),
                     static_cast<DWORD>(data.size())) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot set " << name;
  }
}

std::optional<RawValue> TypedUrlsScratch::GetRaw(const std::string& name) {
  UniqueRegistryKey key = OpenKey(KEY_READ);
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  const std::wstring wide(name.begin(), name.end());
  if (RegQueryValueExW(key.get(), wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue raw{type, std::vector<char>(size)};
  if (size > 0 &&
      RegQueryValueExW(key.get(), wide.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(raw.data.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  raw.data.resize(size);
  return raw;
}

}  // namespace velm::testing
