#include "timeline.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace bench {

namespace {

// Lines without their CR or LF; a last line without one counts too.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool ParseNumber(std::string_view digits, std::int64_t* out) {
  if (digits.empty()) return false;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), *out);
  return error == std::errc() && end == digits.data() + digits.size();
}

// Takes the next blank-separated number off the front of line.
bool TakeNumber(std::string_view* line, std::int64_t* out) {
  const std::size_t blank = line->find(' ');
  if (blank == std::string_view::npos || !ParseNumber(line->substr(0, blank), out)) return false;
  line->remove_prefix(blank + 1);
  return true;
}

std::optional<TimePoint> ParseMark(std::string_view line) {
  std::array<std::int64_t, 5> numbers{};
  for (std::int64_t& number : numbers) {
    if (!TakeNumber(&line, &number)) return std::nullopt;
  }
  if (line.empty()) return std::nullopt;
  CallTotals totals;
  totals.profile = {static_cast<int>(numbers[2]), numbers[1]};
  totals.registry = {static_cast<int>(numbers[4]), numbers[3]};
  return TimePoint{std::string(line), numbers[0], totals};
}

double Ms(std::int64_t ticks, std::int64_t frequency) {
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency);
}

}  // namespace

std::optional<PhaseLog> ParsePhaseLog(std::string_view text) {
  const std::vector<std::string_view> lines = Lines(text);
  constexpr std::string_view kFrequency = "frequency ";
  if (lines.empty() || !lines[0].starts_with(kFrequency)) return std::nullopt;
  PhaseLog log;
  if (!ParseNumber(lines[0].substr(kFrequency.size()), &log.frequency) || log.frequency <= 0) {
    return std::nullopt;
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::optional<TimePoint> mark = ParseMark(lines[i]);
    if (!mark) return std::nullopt;
    log.marks.push_back(std::move(*mark));
  }
  return log;
}

std::vector<TimePoint> MergeTimeline(std::vector<TimePoint> driver,
                                     const std::vector<TimePoint>& marks) {
  std::vector<TimePoint> points = std::move(driver);
  points.insert(points.end(), marks.begin(), marks.end());
  std::stable_sort(points.begin(), points.end(),
                   [](const TimePoint& a, const TimePoint& b) { return a.ticks < b.ticks; });
  CallTotals so_far;
  for (TimePoint& point : points) {
    if (point.totals) {
      so_far = *point.totals;
    } else {
      point.totals = so_far;
    }
  }
  return points;
}

std::vector<Span> SpansOf(const std::vector<TimePoint>& points, std::int64_t frequency) {
  std::vector<Span> spans;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const TimePoint& from = points[i - 1];
    const TimePoint& to = points[i];
    Span span{from.name + " -> " + to.name, Ms(to.ticks - from.ticks, frequency)};
    if (from.totals && to.totals) {
      span.profile_ms = Ms(to.totals->profile.ticks - from.totals->profile.ticks, frequency);
      span.profile_calls = to.totals->profile.calls - from.totals->profile.calls;
      span.registry_ms = Ms(to.totals->registry.ticks - from.totals->registry.ticks, frequency);
      span.registry_calls = to.totals->registry.calls - from.totals->registry.calls;
    }
    spans.push_back(std::move(span));
  }
  return spans;
}

void SpanTable::Add(const std::vector<Span>& spans) {
  for (const Span& span : spans) {
    auto row = std::find_if(rows_.begin(), rows_.end(),
                            [&](const auto& existing) { return existing.first == span.name; });
    if (row == rows_.end()) {
      rows_.push_back({span.name, {}});
      row = std::prev(rows_.end());
    }
    row->second.push_back(span);
  }
}

std::vector<Span> SpanTable::Find(const std::string& name) const {
  for (const auto& [row_name, spans] : rows_) {
    if (row_name == name) return spans;
  }
  return {};
}

}  // namespace bench
