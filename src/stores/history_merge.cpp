#include "stores/history_merge.h"

namespace velm {

std::vector<HistoryValue> MergeHistory(const std::vector<HistoryValue>& loaded,
                                       const std::vector<HistoryValue>& current,
                                       const std::vector<ListedEntry>& list) {
  // Pairs each current value with a loaded one still unpaired: what stays
  // unpaired in current was added meanwhile, what stays unpaired in loaded
  // was removed. A value the browser only moved up is in both.
  std::vector<bool> still_there(loaded.size(), false);
  std::vector<HistoryValue> merged;
  for (const HistoryValue& value : current) {
    std::size_t i = 0;
    while (i < loaded.size() && (still_there[i] || loaded[i] != value)) ++i;
    if (i < loaded.size()) {
      still_there[i] = true;
    } else {
      merged.push_back(value);
    }
  }
  for (const ListedEntry& entry : list) {
    if (entry.origin >= loaded.size()) {
      merged.push_back({entry.text});
    } else if (still_there[entry.origin]) {
      merged.push_back({entry.text});
    }
  }
  if (merged.size() > static_cast<std::size_t>(kHistoryValues)) merged.resize(kHistoryValues);
  return merged;
}

}  // namespace velm
