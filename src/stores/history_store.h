// The typed-URL history: url1..url25 under the TypedURLs key.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stores/registry_backend.h"

namespace velm {

struct ListedEntry;

inline constexpr int kHistoryValues = 25;

// "url" + n.
std::string HistoryValueName(int n);

enum class LoadResult { kOpened, kUnavailable };

// A history value as read: its exact text (core/entry_text.h), so that one
// written back unchanged is the same value unit for unit. Equal values are
// the same text.
struct HistoryValue {
  std::string text;
  bool operator==(const HistoryValue&) const = default;
};

// What the close measures other programs' changes against: the values the
// start loaded, the key's last-write time before they were read (none when it
// could not be told) and, after a save that failed part way, the history that
// save found and the one it left, so its own writes do not count as
// another program's at the next try (both empty before any failure).
struct HistoryBaseline {
  std::vector<HistoryValue> loaded;
  std::optional<std::uint64_t> loaded_stamp;
  std::vector<HistoryValue> found;
  std::vector<HistoryValue> left;
};

// Called for n = 1..25 with the value (empty text when absent, empty or
// unreadable).
using PerValueStep = std::function<void(int n, const HistoryValue& value)>;

class HistoryStore {
 public:
  explicit HistoryStore(RegistryBackend& backend) : backend_(backend) {}

  // A value that cannot be read (a type other than text, or a query that
  // fails twice) reaches the step as empty, and the load reads on: one bad
  // value must not hide the others, nor leave them for the save to pass
  // over. The first such value's history type or read error is then thrown,
  // after the last step; the key is closed on every way out. stamp, when
  // given, receives the key's last-write time as it stood before the first
  // value was read, or none.
  LoadResult Load(const PerValueStep& step, std::optional<std::uint64_t>* stamp = nullptr);

  // The non-empty values that can be read now, in order; none without a key.
  std::vector<HistoryValue> ReadValues();

  // Writes entry i to url i for i = 1..25 and deletes the values no entry
  // takes; a failing write leaves its value as it was. A missing key is
  // created for entries, never for an empty list; a key that refuses values
  // raises the history write error for url1.
  void Save(const std::vector<std::string>& entries);

  // The close's save: writes MergeHistory of the values the start loaded,
  // what the history holds now and the list, and nothing when the list holds
  // no edit. The history is read again only when its last-write time has
  // moved since the load. A key removed meanwhile therefore comes back only
  // for entries the user wrote. A failing write is recorded in baseline
  // before it is thrown.
  void SaveOver(HistoryBaseline& baseline, const std::vector<ListedEntry>& list, bool users_order);

 private:
  // url n on an open key; throws the history type / read error.
  HistoryValue ReadValue(RegistryBackend::Key key, int n);
  // The non-empty values now: the loaded ones while the key's last-write
  // time is the one the load saw.
  std::vector<HistoryValue> ReadValuesSince(const HistoryBaseline& baseline);

  RegistryBackend& backend_;
};

}  // namespace velm
