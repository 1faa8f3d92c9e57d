// velm.ini as the tests see it: its raw bytes, and values read through the
// private-profile functions the way the program reads them.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The file's bytes; nullopt when it does not exist.
std::optional<std::string> ReadFileBytes(const std::string& path);
testing::AssertionResult WriteFileBytes(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);

// One value ("" when absent), read into a zeroed buffer.
std::string ProfileString(const std::string& path, std::string_view section, std::string_view key);
// The same through the wide function: exact for a UTF-16 file.
std::wstring ProfileWideString(const std::string& path, std::string_view section,
                               std::string_view key);
std::vector<std::string> ProfileSections(const std::string& path);
// Keys and values of a section, keys as spelt in the file.
std::map<std::string, std::string> ProfileSection(const std::string& path,
                                                  std::string_view section);

// Values url1..url25 of backup generation k present in the file, by number.
std::map<int, std::string> Generation(const std::string& path, int k);

}  // namespace e2e
