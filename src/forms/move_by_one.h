// Ctrl+Up and Ctrl+Down: the selected entry changes places with its
// neighbour, as 移動 and a pick of that neighbour would leave it.
#pragma once

#include <optional>

namespace velm {

struct OneStep {
  int to;         // where the entry goes
  int move_from;  // the source of a move under way, kept to its entry
  friend bool operator==(const OneStep&, const OneStep&) = default;
};

// index: the selected entry of count, -1 for none; step: -1 up, +1 down.
// Nothing when there is no selection or no neighbour that way.
constexpr std::optional<OneStep> MoveByOne(int count, int index, int step, int move_from) {
  const int to = index + step;
  if (index < 0 || to < 0 || to >= count) return std::nullopt;
  const int follows = move_from == index ? to : move_from == to ? index : move_from;
  return OneStep{to, follows};
}

}  // namespace velm
