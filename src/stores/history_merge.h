// The close's merge: the user's edits replayed onto the history as it stands
// now, so that what other programs (the browser, a cleaner) did to it while
// the list was open is kept.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "stores/history_store.h"

namespace velm {

// An entry of the list at the close: its text, the loaded value it was read
// from (none for one the user made: 作成, 復旧) and whether the user changed
// its text (変更).
struct ListedEntry {
  static constexpr std::size_t kMadeByUser = static_cast<std::size_t>(-1);

  std::string text;
  std::size_t origin = kMadeByUser;  // index into the loaded values
  bool changed = false;
};

// Whether the list differs from the loaded history by anything the user did:
// an entry changed, made or deleted (a loaded value no entry comes from), or
// the order the user's.
bool HasEdits(std::size_t loaded_count, const std::vector<ListedEntry>& list, bool users_order);

// The values to write as url1, url2, ..., or nothing when the list holds no
// edit: the history then stays as other programs left it. loaded and current
// are the non-empty values in history order; a current value pairs with the
// first unpaired loaded one equal to it.
//
// users_order false: the history's values in its order, each paired one left
// out when its entry was deleted, written as its entry's text when that was
// changed, as it is otherwise; an unpaired one (another program's) as it is.
// Then the changed entries whose value another program removed, then the
// user's own, in list order.
// users_order true (the user reordered or replaced the list): the values
// another program added first, then the list in its order; an unchanged
// entry whose value another program removed goes.
//
// At most 25: the last values the user neither made nor changed go first,
// as the browser drops its oldest.
std::optional<std::vector<HistoryValue>> MergeHistory(const std::vector<HistoryValue>& loaded,
                                                      const std::vector<HistoryValue>& current,
                                                      const std::vector<ListedEntry>& list,
                                                      bool users_order);

}  // namespace velm
