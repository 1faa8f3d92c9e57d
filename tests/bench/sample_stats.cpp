#include "sample_stats.h"

#include <algorithm>
#include <stdexcept>

namespace bench {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

Spread SpreadOf(const std::vector<double>& values) {
  if (values.empty()) return {};
  const auto [min, max] = std::minmax_element(values.begin(), values.end());
  return {Median(values), *min, *max};
}

double MedianRatio(const std::vector<double>& subject, const std::vector<double>& floor) {
  if (subject.size() != floor.size()) throw std::invalid_argument("unpaired runs");
  std::vector<double> ratios;
  for (std::size_t i = 0; i < subject.size(); ++i) {
    if (floor[i] > 0) ratios.push_back(subject[i] / floor[i]);
  }
  return Median(std::move(ratios));
}

}  // namespace bench
