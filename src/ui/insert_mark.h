// Where a drag shows that its entry will land. The drag list's mark stands
// above the entry it is drawn at; a drop puts the dragged entry at the index
// of the entry it was let go over (ListControl::Move). Dragged down, the
// entries between move up one, so it comes after that entry; dragged up,
// before it.
#pragma once

namespace velm::ui {

// The index of the entry the mark stands above, for the entry at from
// dragged over the entry at over; one past the last entry when it lands
// last. -1: no mark (over no entry).
constexpr int InsertMarkBefore(int from, int over) {
  if (from < 0 || over < 0) return -1;
  return over > from ? over + 1 : over;
}

}  // namespace velm::ui
