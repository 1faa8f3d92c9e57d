// Back ends that count and time every call: each kind is counted, only the
// time inside the calls is booked, and results, refusals and errors pass
// through unchanged.
#include <gtest/gtest.h>

#include <stdexcept>

#include "memory_registry.h"
#include "portable_settings_file.h"
#include "scratch_dir.h"
#include "stores/history_store.h"
#include "timed_backends.h"

namespace velm::testing {
namespace {

// Counts the calls of every kind and books only the time spent inside them.
class TimedBackendsTest : public ::testing::Test {
 protected:
  // The clock moves by 1 per reading and by cost inside each call.
  std::int64_t Tick() { return clock_++; }

  ScratchDir dir_;
  std::string ini_ = dir_.File("velm.ini");
  std::int64_t clock_ = 0;
};

TEST_F(TimedBackendsTest, SettingsFileCallsAreForwardedCountedAndTimedByKind) {
  PortableSettingsFile plain;
  TimedSettingsFile file(plain, [&] { return Tick(); });

  ASSERT_TRUE(file.Replace(ini_, "[FORM]\r\nTOP=5\r\n"));
  clock_ += 100;  // time outside the calls is not booked
  std::string bytes;
  EXPECT_EQ(file.Load(ini_, &bytes), FileState::kLoaded);
  EXPECT_EQ(bytes, "[FORM]\r\nTOP=5\r\n");
  EXPECT_EQ(file.Load(dir_.File("none.ini"), &bytes), FileState::kMissing);
  EXPECT_TRUE(file.Writable(ini_));

  EXPECT_EQ(file.replaces().calls, 1);
  EXPECT_EQ(file.loads().calls, 2);
  EXPECT_EQ(file.checks().calls, 1);
  EXPECT_EQ(file.loads().ticks, 2) << "two calls, one tick each";
  EXPECT_EQ(file.total().calls, 4);
  EXPECT_EQ(file.total().ticks, 4);

  file.Reset();
  EXPECT_EQ(file.total().calls, 0);
  EXPECT_EQ(file.total().ticks, 0);
}

// Refuses every replacement, spends clock ticks in every load, and fails
// the write check with an exception.
class SlowFile : public PortableSettingsFile {
 public:
  explicit SlowFile(std::int64_t& clock) : clock_(clock) {}
  FileState Load(const SettingsPath&, std::string* bytes) override {
    clock_ += 40;
    *bytes = "x";
    return FileState::kLoaded;
  }
  bool Replace(const SettingsPath&, std::string_view) override { return false; }
  bool Writable(const SettingsPath&) override { throw std::runtime_error("check failed"); }

 private:
  std::int64_t& clock_;
};

TEST_F(TimedBackendsTest, ResultsAndErrorsPassThroughAndTheTimeInsideIsBooked) {
  SlowFile refusing(clock_);
  TimedSettingsFile file(refusing, [&] { return Tick(); });
  std::string bytes;
  EXPECT_EQ(file.Load(ini_, &bytes), FileState::kLoaded);
  EXPECT_EQ(bytes, "x");
  EXPECT_EQ(file.loads().ticks, 41);
  EXPECT_FALSE(file.Replace(ini_, "v")) << "a refusal stays a refusal";
  EXPECT_THROW(file.Writable(ini_), std::runtime_error);
  EXPECT_EQ(file.checks().calls, 1) << "a call that throws is booked all the same";
}

TEST_F(TimedBackendsTest, RegistryCallsAreForwardedAndCountedTogether) {
  MemoryRegistry memory;
  memory.SetString("url1", "http://a/");
  TimedRegistry registry(memory, [&] { return Tick(); });

  std::vector<std::string> loaded;
  HistoryStore(registry).Load([&](int, const HistoryValue& value) {
    if (!value.text.empty()) loaded.push_back(value.text);
  });
  EXPECT_EQ(loaded, std::vector<std::string>{"http://a/"});
  // open, a size query per value, a data query for url1, close
  EXPECT_EQ(registry.total().calls, 1 + 25 + 1 + 1);
  EXPECT_EQ(registry.total().ticks, registry.total().calls);
  EXPECT_EQ(memory.open_keys(), 0);

  HistoryStore(registry).Save({"http://b/"});
  EXPECT_EQ(memory.Text("url1"), "http://b/");
  registry.Reset();
  EXPECT_EQ(registry.total().calls, 0);
}

}  // namespace
}  // namespace velm::testing
