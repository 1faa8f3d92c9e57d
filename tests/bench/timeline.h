// Where the time of one run goes: named points in time (the driver's own and
// the ones the program's phase log recorded) turned into spans between them,
// and the spans of many runs gathered by name.
//
// The phase log a program writes is text, one entry a line:
//   frequency <counter ticks per second>
//   <ticks> <name>            (name may hold blanks)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bench {

struct TimePoint {
  std::string name;
  std::int64_t ticks = 0;
};

struct PhaseLog {
  std::int64_t frequency = 0;
  std::vector<TimePoint> marks;
};

// nullopt when the text is not a whole phase log.
std::optional<PhaseLog> ParsePhaseLog(std::string_view text);

struct Span {
  std::string name;  // "<from> -> <to>"
  double ms = 0;
};

// The spans between consecutive points, in the order given.
std::vector<Span> SpansOf(const std::vector<TimePoint>& points, std::int64_t frequency);

// Spans of many runs, by name, in the order the names were first met.
class SpanTable {
 public:
  void Add(const std::vector<Span>& spans);
  const std::vector<std::pair<std::string, std::vector<double>>>& rows() const { return rows_; }

 private:
  std::vector<std::pair<std::string, std::vector<double>>> rows_;
};

}  // namespace bench
