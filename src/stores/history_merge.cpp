#include "stores/history_merge.h"

#include <cstddef>
#include <utility>

namespace velm {

namespace {

constexpr std::size_t kUnpaired = static_cast<std::size_t>(-1);

// A value to write, and whether the user made or changed it: only the
// others may be dropped at 25.
struct Merged {
  HistoryValue value;
  bool users;
};

}  // namespace

bool HasEdits(std::size_t loaded_count, const std::vector<ListedEntry>& list, bool users_order) {
  if (users_order || list.size() != loaded_count) return true;
  std::vector<bool> listed(loaded_count, false);
  for (const ListedEntry& entry : list) {
    if (entry.changed || entry.origin >= loaded_count || listed[entry.origin]) return true;
    listed[entry.origin] = true;
  }
  return false;
}

std::optional<std::vector<HistoryValue>> MergeHistory(const std::vector<HistoryValue>& loaded,
                                                      const std::vector<HistoryValue>& current,
                                                      const std::vector<ListedEntry>& list,
                                                      bool users_order) {
  if (!HasEdits(loaded.size(), list, users_order)) return std::nullopt;
  // A value the browser only moved is in both; what stays unpaired in
  // current was added meanwhile, what stays unpaired in loaded was removed.
  std::vector<std::size_t> loaded_of(current.size(), kUnpaired);
  std::vector<std::size_t> current_of(loaded.size(), kUnpaired);
  for (std::size_t c = 0; c < current.size(); ++c) {
    for (std::size_t l = 0; l < loaded.size(); ++l) {
      if (current_of[l] == kUnpaired && loaded[l] == current[c]) {
        loaded_of[c] = l;
        current_of[l] = c;
        break;
      }
    }
  }
  // The entry each loaded value became; none when the user deleted it.
  std::vector<const ListedEntry*> entry_of(loaded.size(), nullptr);
  for (const ListedEntry& entry : list)
    if (entry.origin < loaded.size()) entry_of[entry.origin] = &entry;

  std::vector<Merged> merged;
  auto take_users = [&](const ListedEntry& entry) {
    HistoryValue value;
    value.text = entry.text;
    merged.push_back({std::move(value), true});
  };
  auto removed_meanwhile = [&](const ListedEntry& entry) {
    return entry.origin < loaded.size() && current_of[entry.origin] == kUnpaired;
  };
  if (users_order) {
    for (std::size_t c = 0; c < current.size(); ++c)
      if (loaded_of[c] == kUnpaired) merged.push_back({current[c], false});
    for (const ListedEntry& entry : list) {
      if (entry.origin >= loaded.size() || entry.changed)
        take_users(entry);
      else if (!removed_meanwhile(entry))
        merged.push_back({current[current_of[entry.origin]], false});
    }
  } else {
    for (std::size_t c = 0; c < current.size(); ++c) {
      const ListedEntry* entry = loaded_of[c] == kUnpaired ? nullptr : entry_of[loaded_of[c]];
      if (loaded_of[c] != kUnpaired && entry == nullptr) continue;  // deleted by the user
      if (entry != nullptr && entry->changed)
        take_users(*entry);
      else
        merged.push_back({current[c], false});
    }
    for (const ListedEntry& entry : list)
      if (entry.changed && removed_meanwhile(entry)) take_users(entry);
    for (const ListedEntry& entry : list)
      if (entry.origin >= loaded.size()) take_users(entry);
  }

  const auto limit = static_cast<std::size_t>(kHistoryValues);
  for (std::size_t i = merged.size(); i > 0 && merged.size() > limit; --i)
    if (!merged[i - 1].users) merged.erase(merged.begin() + static_cast<std::ptrdiff_t>(i - 1));
  // The list holds at most 25, so the user's own fit; a longer one is cut.
  if (merged.size() > limit) merged.resize(limit);
  std::vector<HistoryValue> values;
  for (Merged& value : merged) values.push_back(std::move(value.value));
  return values;
}

}  // namespace velm
