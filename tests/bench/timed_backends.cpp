#include "timed_backends.h"

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

TimedSettingsFile::TimedSettingsFile(SettingsFile& inner, TickSource now)
    : inner_(inner), now_(std::move(now)) {}

template <typename Call>
auto TimedSettingsFile::Timed(CallTally& tally, Call&& call) {
  return Measure(now_, tally, std::forward<Call>(call));
}

CallTally TimedSettingsFile::total() const {
  CallTally sum = loads_;
  sum += replaces_;
  sum += checks_;
  return sum;
}

void TimedSettingsFile::Reset() {
  loads_ = replaces_ = checks_ = {};
}

FileState TimedSettingsFile::Load(const SettingsPath& path, std::string* bytes) {
  return Timed(loads_, [&] { return inner_.Load(path, bytes); });
}

bool TimedSettingsFile::Replace(const SettingsPath& path, std::string_view bytes) {
  return Timed(replaces_, [&] { return inner_.Replace(path, bytes); });
}

bool TimedSettingsFile::Writable(const SettingsPath& path) {
  return Timed(checks_, [&] { return inner_.Writable(path); });
}

TimedRegistry::TimedRegistry(RegistryBackend& inner, TickSource now)
    : inner_(inner), now_(std::move(now)) {}

template <typename Call>
auto TimedRegistry::Timed(Call&& call) {
  return Measure(now_, total_, std::forward<Call>(call));
}

OpenResult TimedRegistry::Open(KeyUse use, Key* key) {
  return Timed([&] { return inner_.Open(use, key); });
}

bool TimedRegistry::QuerySize(Key key, const std::string& name, std::uint32_t* type,
                              std::uint32_t* size) {
  return Timed([&] { return inner_.QuerySize(key, name, type, size); });
}

bool TimedRegistry::QueryData(Key key, const std::string& name, std::uint32_t* type,
                              std::vector<char>* data) {
  return Timed([&] { return inner_.QueryData(key, name, type, data); });
}

bool TimedRegistry::QueryLastWrite(Key key, std::uint64_t* stamp) {
  return Timed([&] { return inner_.QueryLastWrite(key, stamp); });
}

void TimedRegistry::Delete(Key key, const std::string& name) {
  Timed([&] { inner_.Delete(key, name); });
}

bool TimedRegistry::Write(Key key, const std::string& name, std::u16string_view text) {
  return Timed([&] { return inner_.Write(key, name, text); });
}

void TimedRegistry::Close(Key key) {
  Timed([&] { inner_.Close(key); });
}

}  // namespace velm
