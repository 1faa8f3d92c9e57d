// Where the time of one run goes: named points in time (the driver's own and
// the marks the program's phase log recorded) turned into spans between
// them, each with the part spent inside velm.ini file calls (loads, replaces,
// write checks) and registry calls, and the spans of many runs gathered by
// name.
//
// The phase log a program writes is text, one entry a line:
//   frequency <counter ticks per second>
//   <ticks> <profile ticks> <profile calls> <registry ticks> <registry calls> <name>
// the call figures being totals up to the mark; name may hold blanks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "timed_backends.h"

namespace bench {

struct CallTotals {
  velm::CallTally profile;
  velm::CallTally registry;
};

struct TimePoint {
  std::string name;
  std::int64_t ticks = 0;
  // A program's mark carries the totals of the calls made up to it; a point
  // of the driver's own has none and counts with the mark before it.
  std::optional<CallTotals> totals;
};

struct PhaseLog {
  std::int64_t frequency = 0;
  std::vector<TimePoint> marks;
};

// nullopt when the text is not a whole phase log.
std::optional<PhaseLog> ParsePhaseLog(std::string_view text);

// The driver's points and the program's marks in time order.
std::vector<TimePoint> MergeTimeline(std::vector<TimePoint> driver,
                                     const std::vector<TimePoint>& marks);

struct Span {
  std::string name;  // "<from> -> <to>"
  double ms = 0;
  double profile_ms = 0;  // inside velm.ini file calls
  int profile_calls = 0;
  double registry_ms = 0;  // inside registry calls
  int registry_calls = 0;
};

// The spans between consecutive points, in the order given.
std::vector<Span> SpansOf(const std::vector<TimePoint>& points, std::int64_t frequency);

// Spans of many runs, by name, in the order the names were first met.
class SpanTable {
 public:
  void Add(const std::vector<Span>& spans);
  const std::vector<std::pair<std::string, std::vector<Span>>>& rows() const { return rows_; }
  // The runs of the span named name; empty when none had it.
  std::vector<Span> Find(const std::string& name) const;

 private:
  std::vector<std::pair<std::string, std::vector<Span>>> rows_;
};

}  // namespace bench
