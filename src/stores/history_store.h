// The typed-URL history: url1..url25 under the TypedURLs key.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "stores/registry_backend.h"

namespace velm {

inline constexpr int kHistoryValues = 25;

// "url" + n.
std::string HistoryValueName(int n);

enum class LoadResult { kOpened, kUnavailable };

// A history value as read: its text in the ANSI code page and, when that
// text does not carry the value exactly (characters outside the code page),
// the value's own text to write back in its place.
struct HistoryValue {
  std::string text;
  std::u16string original;  // empty: text carries the value exactly
};

// Called for n = 1..25 with the value (empty text when absent or empty).
using PerValueStep = std::function<void(int n, const HistoryValue& value)>;

class HistoryStore {
 public:
  explicit HistoryStore(RegistryBackend& backend) : backend_(backend) {}

  // Stops at the first value that raises the history type or read error; the
  // key is closed on every way out.
  LoadResult Load(const PerValueStep& step);

  // Writes entry i to url i for i = 1..25 and deletes the values no entry
  // takes; a failing write leaves its value as it was. Values from url
  // first_unseen on that no entry overwrites are left alone: they were never
  // loaded, so the user never saw them. first_unseen = 26 replaces the whole
  // history. An entry with a non-empty original (originals[i] beside
  // entries[i]) is written as that original. A missing key is created for
  // entries, never for an empty list; a key that refuses values raises the
  // history write error for url1.
  void Save(const std::vector<std::string>& entries, int first_unseen = kHistoryValues + 1,
            const std::vector<std::u16string>& originals = {});

 private:
  // url n on an open key; throws the history type / read error.
  HistoryValue ReadValue(RegistryBackend::Key key, int n);

  RegistryBackend& backend_;
};

}  // namespace velm
