// The typed-URL history key of the current user, read and seeded with exact
// types and bytes, so tests can set up odd values and check what was saved.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <ostream>
#include <string>
#include <string_view>

namespace e2e {

inline constexpr char kHistoryKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

// One registry value: its type and its data, byte for byte.
struct RegValue {
  DWORD type = REG_NONE;
  std::string data;

  friend bool operator==(const RegValue&, const RegValue&) = default;
  friend void PrintTo(const RegValue& value, std::ostream* out);
};

// Every value under the key, by name (empty when the key is missing).
using HistoryValues = std::map<std::string, RegValue>;

// A REG_SZ value as the program writes it: the text and its terminating zero.
RegValue StringValue(std::string_view text);
// url1, url2, ... holding texts in order, as a save of that entry list leaves them.
HistoryValues SavedUrls(std::initializer_list<std::string_view> texts);

testing::AssertionResult DeleteHistoryKey();
// Deletes the key with everything in it and creates it empty.
testing::AssertionResult ResetHistoryKey();
// Resets the key and writes texts as url1, url2, ... (REG_SZ).
testing::AssertionResult SeedHistory(std::initializer_list<std::string_view> texts);
testing::AssertionResult SetHistoryValue(std::string_view name, const RegValue& value);
testing::AssertionResult SetHistoryString(std::string_view name, std::string_view text);

bool HistoryKeyExists();
HistoryValues ReadHistory();

// The same through the wide functions, as the browser stores its history:
// data are the UTF-16 bytes, the zero included.
RegValue WideStringValue(std::wstring_view text);
HistoryValues SavedWideUrls(std::initializer_list<std::wstring_view> texts);
// Resets the key and writes texts as url1, url2, ... (REG_SZ).
testing::AssertionResult SeedWideHistory(std::initializer_list<std::wstring_view> texts);
HistoryValues ReadWideHistory();

}  // namespace e2e
