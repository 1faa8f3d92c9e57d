// Figures of a set of timed runs: median, smallest and largest, and the
// median of per-pair ratios (each run of the program against the floor run
// next to it in time, so drift of the machine cancels out).
#pragma once

#include <vector>

namespace bench {

struct Spread {
  double median = 0;
  double min = 0;
  double max = 0;
};

// The middle value; the mean of the two middle values for an even count; 0
// for none.
double Median(std::vector<double> values);
Spread SpreadOf(const std::vector<double>& values);

// Median of subject[i] / floor[i]. Both lists must be equally long; pairs
// whose floor is not positive are left out. 0 when no pair is left.
double MedianRatio(const std::vector<double>& subject, const std::vector<double>& floor);

}  // namespace bench
