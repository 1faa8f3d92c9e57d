// A start-up and a save over the real Windows functions with input no user
// would make on purpose: history values of a megabyte, unterminated, with
// zeros inside or of a wrong type, and a velm.ini of garbage.
#include <chrono>
#include <iostream>
#include <random>

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/texts.h"
#include "scratch_dir.h"
#include "stores/history_store.h"
#include "stores/startup_sequence.h"
#include "stores/win32_registry.h"
#include "stores/win32_settings_file.h"
#include "typed_urls_scratch.h"
#include "win32_profile.h"

namespace velm::testing {
namespace {

using Texts = std::vector<std::string>;

// ASCII text as a string value's data: its UTF-16 units.
std::vector<char> Bytes(std::string_view text) {
  std::vector<char> data(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) data[2 * i] = text[i];
  return data;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(Win32Hostile, MegabyteAndOddValuesSurviveAStartOverGarbageAndASave) {
  TypedUrlsScratch scratch;
  ScratchDir dir;
  const std::string ini = dir.File("velm.ini");
  std::mt19937 random(11);
  std::string garbage = "garbage\r\n";
  while (garbage.size() < 64 * 1024) garbage += static_cast<char>(random() & 0xFF);
  WriteBytes(ini, garbage);

  const std::string megabyte(1024 * 1024, 'm');
  std::string zeros_inside = megabyte;
  zeros_inside[500000] = '\0';
  TypedUrlsScratch::SetRaw("url1", kRegSz, Bytes(megabyte + '\0'));
  TypedUrlsScratch::SetRaw("url2", kRegSz, Bytes(megabyte));  // unterminated
  TypedUrlsScratch::SetRaw("url3", kRegSz, Bytes(zeros_inside));
  TypedUrlsScratch::SetRaw("url4", kRegBinary, {});
  TypedUrlsScratch::SetRaw("url5", kRegExpandSz, Bytes(std::string_view("%PATH%\0", 7)));
  const std::vector<char> multi = Bytes(std::string_view("a\0b\0\0", 5));
  TypedUrlsScratch::SetRaw("url6", kRegMultiSz, multi);
  TypedUrlsScratch::SetRaw("url7", kRegSz, Bytes(std::string_view("after\0", 6)));
  TypedUrlsScratch::SetRaw("url26", kRegSz, Bytes(std::string_view("kept\0", 5)));

  Win32SettingsFile file;
  Win32Profile profile;
  Win32Registry registry;
  Texts entries;
  StartupState state;
  auto start = std::chrono::steady_clock::now();
  try {
    RunStartupSequence(
        file, registry, ini, [&](const HistoryValue& v) { entries.push_back(v.text); }, &state);
    ADD_FAILURE() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), FormatText(text::kHistoryTypeError, "url6"));
  }
  const double load = SecondsSince(start);
  const Texts loaded = {megabyte, megabyte, megabyte.substr(0, 500000), "%PATH%", "after"};
  ASSERT_EQ(entries.size(), loaded.size());
  EXPECT_TRUE(entries == loaded);
  EXPECT_EQ(profile.Read(ini, "OldUrl1", "url1"), megabyte.substr(0, 2047));

  start = std::chrono::steady_clock::now();
  HistoryStore(registry).Save(entries);
  const double save = SecondsSince(start);
  EXPECT_TRUE(TypedUrlsScratch::GetRaw("url1")->data == Bytes(megabyte + '\0'));
  EXPECT_TRUE(TypedUrlsScratch::GetRaw("url2")->data == Bytes(megabyte + '\0'));
  EXPECT_TRUE(TypedUrlsScratch::GetRaw("url3")->data == Bytes(megabyte.substr(0, 500000) + '\0'));
  EXPECT_EQ(TypedUrlsScratch::GetRaw("url4")->data, Bytes(std::string_view("%PATH%\0", 7)));
  EXPECT_EQ(TypedUrlsScratch::GetRaw("url5")->data, Bytes(std::string_view("after\0", 6)));
  EXPECT_FALSE(TypedUrlsScratch::GetRaw("url6")) << "the unreadable value is not written back";
  EXPECT_FALSE(TypedUrlsScratch::GetRaw("url7"));
  EXPECT_EQ(TypedUrlsScratch::GetRaw("url26")->data, Bytes(std::string_view("kept\0", 5)));
  std::cout << "Windows functions, values of 1 MB over a velm.ini of garbage: start-up " << load
            << " s, save " << save << " s\n";
}

// Wine's profile functions crash the process on a value of about 32 KB.
TEST(Win32Hostile, AHistoryValueOfTensOfKilobytesReachesTheBackupCut) {
  TypedUrlsScratch scratch;
  ScratchDir dir;
  const std::string value(40000, 'w');
  TypedUrlsScratch::SetRaw("url1", kRegSz, Bytes(value + '\0'));
  Win32SettingsFile file;
  Win32Profile profile;
  Win32Registry registry;
  Texts entries;
  StartupState state;
  RunStartupSequence(
      file, registry, dir.File("velm.ini"),
      [&](const HistoryValue& v) { entries.push_back(v.text); }, &state);
  EXPECT_TRUE(entries == Texts{value});
  EXPECT_EQ(profile.Read(dir.File("velm.ini"), "OldUrl1", "url1"), value.substr(0, 2047));
}

}  // namespace
}  // namespace velm::testing
