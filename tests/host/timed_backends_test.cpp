// Back ends that count and time every call: each kind is counted, only the
// time inside the calls is booked, and results, refusals and errors pass
// through unchanged.
#include <gtest/gtest.h>

#include <stdexcept>

#include "scratch_dir.h"
#include "stores/history_store.h"
#include "stores/memory_registry.h"
#include "stores/portable_profile.h"
#include "stores/timed_backends.h"

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

TEST_F(TimedBackendsTest, ProfileCallsAreForwardedCountedAndTimedByKind) {
  PortableProfile portable;
  TimedProfile profile(portable, [&] { return Tick(); });

  ASSERT_TRUE(profile.Write(ini_, "FORM", "TOP", "5"));
  clock_ += 100;  // time outside the calls is not booked
  EXPECT_EQ(profile.Read(ini_, "FORM", "TOP"), "5");
  EXPECT_EQ(profile.Read(ini_, "FORM", "LEFT"), "");
  profile.Delete(ini_, "FORM", "TOP");
  profile.Flush(ini_);
  EXPECT_EQ(portable.Read(ini_, "FORM", "TOP"), "") << "the delete reached the file";

  EXPECT_EQ(profile.writes().calls, 1);
  EXPECT_EQ(profile.reads().calls, 2);
  EXPECT_EQ(profile.deletes().calls, 1);
  EXPECT_EQ(profile.flushes().calls, 1);
  EXPECT_EQ(profile.reads().ticks, 2) << "two calls, one tick each";
  EXPECT_EQ(profile.total().calls, 5);
  EXPECT_EQ(profile.total().ticks, 5);

  profile.Reset();
  EXPECT_EQ(profile.total().calls, 0);
  EXPECT_EQ(profile.total().ticks, 0);
}

// Passes writes on only while allowed, and spends clock ticks in every read.
class SlowProfile : public ProfileBackend {
 public:
  SlowProfile(std::int64_t& clock, bool allow) : clock_(clock), allow_(allow) {}
  std::string Read(const std::string&, std::string_view, std::string_view) override {
    clock_ += 40;
    return "value";
  }
  bool Write(const std::string&, std::string_view, std::string_view, std::string_view) override {
    return allow_;
  }
  void Delete(const std::string&, std::string_view, std::string_view) override {
    throw std::runtime_error("delete failed");
  }
  void Flush(const std::string&) override {}

 private:
  std::int64_t& clock_;
  bool allow_;
};

TEST_F(TimedBackendsTest, ResultsAndErrorsPassThroughAndTheTimeInsideIsBooked) {
  SlowProfile refusing(clock_, false);
  TimedProfile profile(refusing, [&] { return Tick(); });
  EXPECT_EQ(profile.Read(ini_, "s", "k"), "value");
  EXPECT_EQ(profile.reads().ticks, 41);
  EXPECT_FALSE(profile.Write(ini_, "s", "k", "v")) << "a refusal stays a refusal";
  EXPECT_THROW(profile.Delete(ini_, "s", "k"), std::runtime_error);
  EXPECT_EQ(profile.deletes().calls, 1) << "a call that throws is booked all the same";
}

TEST_F(TimedBackendsTest, RegistryCallsAreForwardedAndCountedTogether) {
  MemoryRegistry memory;
  memory.SetString("url1", "http://a/");
  TimedRegistry registry(memory, [&] { return Tick(); });

  std::vector<std::string> loaded;
  HistoryStore(registry).Load([&](int, const std::string& text) {
    if (!text.empty()) loaded.push_back(text);
  });
  EXPECT_EQ(loaded, std::vector<std::string>{"http://a/"});
  // open, a size query per value, a data query and the original's for url1,
  // close
  EXPECT_EQ(registry.total().calls, 1 + 25 + 2 + 1);
  EXPECT_EQ(registry.total().ticks, registry.total().calls);
  EXPECT_EQ(memory.open_keys(), 0);

  HistoryStore(registry).Save({"http://b/"});
  EXPECT_EQ(memory.Text("url1"), "http://b/");
  registry.Reset();
  EXPECT_EQ(registry.total().calls, 0);
}

}  // namespace
}  // namespace velm::testing
