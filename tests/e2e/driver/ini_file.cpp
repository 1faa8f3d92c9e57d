#include "driver/ini_file.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace e2e {

namespace {

// Large enough for a whole velm.ini section of 25 long values.
constexpr DWORD kSectionBuffer = 1 << 20;

// Splits a list of zero-terminated strings that ends with an empty one.
std::vector<std::string> SplitZeroList(const std::vector<char>& buffer) {
  std::vector<std::string> items;
  for (const char* p = buffer.data(); *p != '\0'; p += std::strlen(p) + 1) items.emplace_back(p);
  return items;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

testing::AssertionResult WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) return testing::AssertionFailure() << "cannot write " << path;
  return testing::AssertionSuccess();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProfileString(const std::string& path, std::string_view section, std::string_view key) {
  // Zeroed, and measured with strlen: a value cut inside a double-byte
  // character can leave the count and the last byte wrong.
  char buffer[2048] = {};
  GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), "", buffer,
                           sizeof(buffer), path.c_str());
  return std::string(buffer, strnlen(buffer, sizeof(buffer) - 1));
}

std::wstring ProfileWideString(const std::string& path, std::string_view section,
                               std::string_view key) {
  const auto wide = [](std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); };
  wchar_t buffer[2048] = {};
  GetPrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), L"", buffer, 2048,
                           wide(path).c_str());
  return std::wstring(buffer, wcsnlen(buffer, 2047));
}

std::vector<std::string> ProfileSections(const std::string& path) {
  std::vector<char> buffer(kSectionBuffer, '\0');
  GetPrivateProfileSectionNamesA(buffer.data(), kSectionBuffer, path.c_str());
  return SplitZeroList(buffer);
}

std::map<std::string, std::string> ProfileSection(const std::string& path,
                                                  std::string_view section) {
  std::vector<char> buffer(kSectionBuffer, '\0');
  GetPrivateProfileSectionA(std::string(section).c_str(), buffer.data(), kSectionBuffer,
                            path.c_str());
  std::map<std::string, std::string> values;
  for (const std::string& line : SplitZeroList(buffer)) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

std::map<int, std::string> Generation(const std::string& path, int k) {
  std::map<int, std::string> values;
  const std::string section = "OldUrl" + std::to_string(k);
  for (int n = 1; n <= 25; ++n) {
    std::string value = ProfileString(path, section, "url" + std::to_string(n));
    if (!value.empty()) values[n] = std::move(value);
  }
  return values;
}

}  // namespace e2e
