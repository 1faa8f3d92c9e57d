// The close's merge: what the user made of the list, laid over what other
// programs (the browser, a cleaner) did to the history while it was open.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "stores/history_store.h"

namespace velm {

// An entry of the list at the close and where it came from: the loaded
// value it still is, unchanged, or none when the user wrote it (変更, 作成,
// 復旧).
struct ListedEntry {
  static constexpr std::size_t kMadeByUser = static_cast<std::size_t>(-1);

  std::string text;
  std::size_t origin = kMadeByUser;  // index into the loaded values
};

// The values to write as url1, url2, ...: with current equal to loaded, the
// list as it stands. Otherwise the values another program added since the
// load come first, in the history's order; an entry still holding a loaded
// value that another program removed goes; every other entry stays where
// the user put it. At most 25: the browser, too, drops the oldest at the end.
// loaded and current are the non-empty values in history order; a value is
// matched by its exact text, each match used once.
std::vector<HistoryValue> MergeHistory(const std::vector<HistoryValue>& loaded,
                                       const std::vector<HistoryValue>& current,
                                       const std::vector<ListedEntry>& list);

}  // namespace velm
