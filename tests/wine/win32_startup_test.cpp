// The start-up sequence and the save over the real Windows functions: the
// prefix's TypedURLs key and a velm.ini in a scratch folder, read back
// through the private-profile functions.
#include <gtest/gtest.h>

#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/history_store.h"
#include "stores/settings.h"
#include "stores/startup_sequence.h"
#include "stores/win32_registry.h"
#include "stores/win32_settings_file.h"
#include "typed_urls_scratch.h"
#include "win32_profile.h"

namespace velm::testing {
namespace {

using Texts = std::vector<std::string>;

// ASCII text as a string value's data: its UTF-16 units and a zero unit.
std::vector<char> Terminated(std::string_view text) {
  std::vector<char> data(text.size() * 2 + 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) data[2 * i] = text[i];
  return data;
}

class Win32StartupTest : public ::testing::Test {
 protected:
  Texts Start() {
    Texts entries;
    RunStartupSequence(
        file_, registry_, ini_, [&](const HistoryValue& v) { entries.push_back(v.text); }, &state_);
    return entries;
  }

  TypedUrlsScratch scratch_;
  ScratchDir dir_;
  std::string ini_ = dir_.File("velm.ini");
  int Count() { return CountGenerations(Settings(file_, ini_).document()); }
  Texts Restorable(int k) { return ReadGeneration(Settings(file_, ini_).document(), k); }

  Win32SettingsFile file_;
  Win32Profile profile_;
  Win32Registry registry_;
  StartupState state_;
};

TEST_F(Win32StartupTest, StartSaveAndRestartKeepTheirPromises) {
  TypedUrlsScratch::SetRaw("url1", kRegSz, Terminated("http://a/"));
  TypedUrlsScratch::SetRaw("url3", kRegExpandSz, Terminated("%TEMP%\\x"));
  TypedUrlsScratch::SetRaw("url26", kRegSz, Terminated("kept"));

  Texts entries = Start();
  EXPECT_EQ(entries, (Texts{"http://a/", "%TEMP%\\x"}));
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Restorable(1), entries);
  EXPECT_EQ(profile_.Read(ini_, "oldurl1", "URL3"), "%TEMP%\\x");

  entries.push_back("http://new/");
  HistoryStore(registry_).Save(entries);
  const auto url2 = TypedUrlsScratch::GetRaw("url2");
  ASSERT_TRUE(url2);
  EXPECT_EQ(url2->type, kRegSz) << "saved back as a plain string";
  EXPECT_EQ(url2->data, Terminated("%TEMP%\\x"));
  EXPECT_EQ(TypedUrlsScratch::GetRaw("url3")->data, Terminated("http://new/"));
  EXPECT_TRUE(TypedUrlsScratch::GetRaw("url26"));

  EXPECT_EQ(Start(), entries);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Restorable(2), (Texts{"http://a/", "%TEMP%\\x"}));
  EXPECT_EQ(Restorable(1), entries);
}

TEST_F(Win32StartupTest, AValueWithLineBreaksCannotReachOtherKeys) {
  TypedUrlsScratch::SetRaw("url1", kRegSz, Terminated("http://a/\r\n[FORM]\r\nLSTFLAG=0"));
  EXPECT_EQ(Start(), (Texts{"http://a/\r\n[FORM]\r\nLSTFLAG=0"}));
  EXPECT_EQ(profile_.Read(ini_, "OldUrl1", "url1"), "http://a/[FORM]LSTFLAG=0");
  EXPECT_EQ(profile_.Read(ini_, "FORM", "LSTFLAG"), "");
  Start();
  EXPECT_TRUE(state_.window.list_flag) << "the value set LSTFLAG";
}

}  // namespace
}  // namespace velm::testing
