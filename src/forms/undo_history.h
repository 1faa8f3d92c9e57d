// Undo and redo of the main window's list: a stack of the list's states.
// Each edit records the state it started from; an undo puts that back and
// keeps the state it replaced for a redo. A state is small (at most 25
// entries), so whole states are simpler than commands that know their
// inverse, and an entry comes back with its item data, so the close sees an
// entry brought back untouched as the value it was read from.
//
//   ListState before = Snapshot();
//   ...the command...
//   if (!SameList(before, Snapshot())) history.Record(std::move(before));
//   if (auto earlier = history.Undo(Snapshot())) Put(*earlier);
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velm {

struct ListItem {
  std::string text;
  std::uintptr_t data = 0;  // the list's item data: the entry's origin
  friend bool operator==(const ListItem&, const ListItem&) = default;
};

// The form's flags that describe the list's content rather than the
// window: an undo takes them back with the entries. A new one is one more
// member here.
struct ListFlags {
  // The user reordered the list (移動, a drag, Ctrl+Up/Down) or replaced it
  // (クリア, 復旧): the list's order then stands at the close.
  bool users_order = false;
  friend bool operator==(const ListFlags&, const ListFlags&) = default;
};

struct ListState {
  std::vector<ListItem> entries;
  ListFlags flags;
  // Comes back with the entries, but a new selection is no edit.
  int selected = -1;
};

// Whether two states hold the same list: entries, item data and flags.
bool SameList(const ListState& a, const ListState& b);

class UndoHistory {
 public:
  // An edit changed the list from before: it becomes the step to undo, and
  // the steps undone so far can no longer be redone.
  void Record(ListState before);
  bool CanUndo() const { return !earlier_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // current: the list as it stands. The state to put in its place, none
  // when there is nothing to undo (or redo).
  std::optional<ListState> Undo(ListState current);
  std::optional<ListState> Redo(ListState current);

 private:
  std::vector<ListState> earlier_;  // the newest last
  std::vector<ListState> undone_;   // the newest undo last
};

}  // namespace velm
