#include "win32_profile.h"

#include <windows.h>

#include <cstring>

namespace velm {

namespace {
constexpr DWORD kReadBufferBytes = 2048;
}  // namespace

std::string Win32Profile::Read(const std::string& path, std::string_view section,
                               std::string_view key) {
  // Zeroed and measured with strlen: when the 2,047-byte cut falls inside a
  // double-byte character, Wine leaves the byte before the cut untouched and
  // still counts it.
  std::string buffer(kReadBufferBytes, '\0');
  GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), "",
                           buffer.data(), kReadBufferBytes, path.c_str());
  buffer.resize(std::strlen(buffer.c_str()));
  return buffer;
}

bool Win32Profile::Write(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value) {
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), path.c_str()) != 0;
}

void Win32Profile::Delete(const std::string& path, std::string_view section, std::string_view key) {
  WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), nullptr,
                             path.c_str());
}

void Win32Profile::Flush(const std::string& path) {
  // Wine answers FALSE here even when all is well: the result means nothing.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

}  // namespace velm
