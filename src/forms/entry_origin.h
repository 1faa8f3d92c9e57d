// What an entry of the main window's lists carries as item data, so that the
// close can replay the user's edits onto the history as it then stands: the
// loaded history value the entry came from and whether the user changed its
// text. Moves and view switches carry item data with their entry.
//
//   0                             the user's own (作成, 復旧)
//   index + 1                     loaded value index, as it was read
//   (index + 1) | kEntryChanged   loaded value index, its text changed (変更)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "stores/history_merge.h"

namespace velm {

inline constexpr std::uintptr_t kEntryChanged = std::uintptr_t{1}
                                                << (sizeof(std::uintptr_t) * 8 - 1);

constexpr std::uintptr_t LoadedEntryData(std::size_t index) {
  return static_cast<std::uintptr_t>(index) + 1;
}

// The data of an entry after the user changed its text: the user's own
// entry stays the user's own.
constexpr std::uintptr_t ChangedEntryData(std::uintptr_t data) {
  return data == 0 ? 0 : data | kEntryChanged;
}

inline ListedEntry ListedEntryOf(std::string text, std::uintptr_t data) {
  if (data == 0) return {std::move(text), ListedEntry::kMadeByUser, false};
  return {std::move(text), static_cast<std::size_t>((data & ~kEntryChanged) - 1),
          (data & kEntryChanged) != 0};
}

}  // namespace velm
