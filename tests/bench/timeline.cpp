#include "timeline.h"

#include <algorithm>
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
    const std::size_t blank = lines[i].find(' ');
    if (blank == std::string_view::npos || blank + 1 == lines[i].size()) return std::nullopt;
    TimePoint mark{std::string(lines[i].substr(blank + 1)), 0};
    if (!ParseNumber(lines[i].substr(0, blank), &mark.ticks)) return std::nullopt;
    log.marks.push_back(std::move(mark));
  }
  return log;
}

std::vector<Span> SpansOf(const std::vector<TimePoint>& points, std::int64_t frequency) {
  std::vector<Span> spans;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double ms =
        static_cast<double>(points[i].ticks - points[i - 1].ticks) * 1000.0 / frequency;
    spans.push_back({points[i - 1].name + " -> " + points[i].name, ms});
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
    row->second.push_back(span.ms);
  }
}

}  // namespace bench
