#include "forms/undo_history.h"

#include <utility>

namespace velm {

bool SameList(const ListState& a, const ListState& b) {
  return a.entries == b.entries && a.flags == b.flags;
}

void UndoHistory::Record(ListState before) {
  earlier_.push_back(std::move(before));
  undone_.clear();
}

namespace {

// Takes the newest state of from, leaving current in to in its place.
std::optional<ListState> Step(std::vector<ListState>& from, std::vector<ListState>& to,
                              ListState current) {
  if (from.empty()) return std::nullopt;
  ListState state = std::move(from.back());
  from.pop_back();
  to.push_back(std::move(current));
  return state;
}

}  // namespace

std::optional<ListState> UndoHistory::Undo(ListState current) {
  return Step(earlier_, undone_, std::move(current));
}

std::optional<ListState> UndoHistory::Redo(ListState current) {
  return Step(undone_, earlier_, std::move(current));
}

}  // namespace velm
