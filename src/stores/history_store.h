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

// Called for n = 1..25 with the value's text (empty when absent or empty).
using PerValueStep = std::function<void(int n, const std::string& text)>;

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
  // history.
  void Save(const std::vector<std::string>& entries, int first_unseen = kHistoryValues + 1);

  // The text of url n on an open key; throws the history type / read error.
  std::string ReadValue(RegistryBackend::Key key, int n);

 private:
  RegistryBackend& backend_;
};

}  // namespace velm
