// A velm.ini in a scratch folder and an in-memory history key, with helpers
// to run starts of the program against them and to look at the results.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/error.h"
#include "document_profile.h"
#include "memory_registry.h"
#include "portable_settings_file.h"
#include "recording_file.h"
#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/history_store.h"
#include "stores/settings.h"
#include "stores/startup_sequence.h"

namespace velm::testing {

class StoreFixture : public ::testing::Test {
 protected:
  // Replaces the history by these texts as url1, url2, ...; "" leaves a gap.
  void SetHistory(const std::vector<std::string>& texts) {
    registry_ = MemoryRegistry();
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (!texts[i].empty())
        registry_.SetString(HistoryValueName(static_cast<int>(i) + 1), texts[i]);
    }
  }

  // One start: the entries it appended, also kept in entries_ when it throws;
  // state_ holds the rest.
  std::vector<std::string> Start() {
    entries_.clear();
    RunStartupSequence(
        file_, registry_, ini_, [&](const HistoryValue& v) { entries_.push_back(v.text); },
        &state_);
    return entries_;
  }

  // A start that must raise exactly this message.
  void StartFailingWith(const std::string& message) {
    try {
      Start();
      ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), message);
    }
  }

  // url1..url25 of generation k as stored, "" for a missing key.
  std::vector<std::string> Generation(int k) {
    Settings settings(plain_file_, ini_);
    std::vector<std::string> values;
    for (int n = 1; n <= kHistoryValues; ++n) {
      values.push_back(settings.ReadString(GenerationSection(k), HistoryValueName(n)));
    }
    return values;
  }

  // Count generations and read generation, each on a fresh reading of the file.
  int Count() { return CountGenerations(Settings(plain_file_, ini_).document()); }
  std::vector<std::string> Restorable(int k) {
    return ReadGeneration(Settings(plain_file_, ini_).document(), k);
  }

  // One rotation on its own, committed.
  void Rotate() {
    Settings settings(file_, ini_);
    RotateGenerations(settings);
    settings.Commit();
  }

  // texts padded with "" to the 25 values of a generation.
  static std::vector<std::string> Padded(std::vector<std::string> texts) {
    texts.resize(kHistoryValues);
    return texts;
  }

  void Put(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_TRUE(portable_.Write(ini_, section, key, value));
  }

  ScratchDir dir_;
  std::string ini_ = dir_.File("velm.ini");
  PortableSettingsFile plain_file_;
  RecordingFile file_{plain_file_};
  PortableProfile portable_;
  MemoryRegistry registry_;
  StartupState state_;
  std::vector<std::string> entries_;
};

}  // namespace velm::testing
