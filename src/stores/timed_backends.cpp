#include "stores/timed_backends.h"

#include <utility>

namespace velm {

namespace {

// Runs call between two readings of now and books the difference, also when
// call throws.
template <typename Call>
auto Measure(const TickSource& now, CallTally& tally, Call&& call) {
  struct Booking {
    const TickSource& now;
    CallTally& tally;
    std::int64_t start;
    ~Booking() {
      tally.ticks += now() - start;
      ++tally.calls;
    }
  } booking{now, tally, now()};
  return call();
}

}  // namespace

TimedProfile::TimedProfile(ProfileBackend& inner, TickSource now)
    : inner_(inner), now_(std::move(now)) {}

template <typename Call>
auto TimedProfile::Timed(CallTally& tally, Call&& call) {
  return Measure(now_, tally, std::forward<Call>(call));
}

CallTally TimedProfile::total() const {
  CallTally sum = reads_;
  sum += writes_;
  sum += deletes_;
  sum += flushes_;
  return sum;
}

void TimedProfile::Reset() {
  reads_ = writes_ = deletes_ = flushes_ = {};
}

std::string TimedProfile::Read(const std::string& path, std::string_view section,
                               std::string_view key) {
  return Timed(reads_, [&] { return inner_.Read(path, section, key); });
}

bool TimedProfile::Write(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value) {
  return Timed(writes_, [&] { return inner_.Write(path, section, key, value); });
}

void TimedProfile::Delete(const std::string& path, std::string_view section, std::string_view key) {
  Timed(deletes_, [&] { inner_.Delete(path, section, key); });
}

void TimedProfile::Flush(const std::string& path) {
  Timed(flushes_, [&] { inner_.Flush(path); });
}

TimedRegistry::TimedRegistry(RegistryBackend& inner, TickSource now)
    : inner_(inner), now_(std::move(now)) {}

template <typename Call>
auto TimedRegistry::Timed(Call&& call) {
  return Measure(now_, total_, std::forward<Call>(call));
}

bool TimedRegistry::Open(Key* key) {
  return Timed([&] { return inner_.Open(key); });
}

bool TimedRegistry::QuerySize(Key key, const std::string& name, std::uint32_t* type,
                              std::uint32_t* size) {
  return Timed([&] { return inner_.QuerySize(key, name, type, size); });
}

bool TimedRegistry::QueryData(Key key, const std::string& name, std::uint32_t* type,
                              std::vector<char>* data) {
  return Timed([&] { return inner_.QueryData(key, name, type, data); });
}

void TimedRegistry::Delete(Key key, const std::string& name) {
  Timed([&] { inner_.Delete(key, name); });
}

bool TimedRegistry::Write(Key key, const std::string& name, std::string_view text) {
  return Timed([&] { return inner_.Write(key, name, text); });
}

std::u16string TimedRegistry::QueryOriginal(Key key, const std::string& name, std::string_view ansi,
                                            std::uint32_t ansi_size) {
  return Timed([&] { return inner_.QueryOriginal(key, name, ansi, ansi_size); });
}

bool TimedRegistry::WriteOriginal(Key key, const std::string& name,
                                  const std::u16string& original) {
  return Timed([&] { return inner_.WriteOriginal(key, name, original); });
}

void TimedRegistry::Close(Key key) {
  Timed([&] { inner_.Close(key); });
}

}  // namespace velm
