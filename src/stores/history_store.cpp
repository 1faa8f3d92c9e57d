#include "stores/history_store.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/error.h"
#include "core/texts.h"

namespace velm {

namespace {

// The history error of kind, its pattern filled with the value's name.
[[noreturn]] void ThrowValueError(ErrorKind kind, const char* pattern, const std::string& name) {
  throw Error(kind, FormatText(pattern, name));
}

}  // namespace

std::string HistoryValueName(int n) {
  return "url" + std::to_string(n);
}

HistoryValue HistoryStore::ReadValue(RegistryBackend::Key key, int n) {
  const std::string name = HistoryValueName(n);
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
  if (!backend_.QuerySize(key, name, &type, &size) || size == 0) return {};

  std::vector<char> data(size);
  if (!backend_.QueryData(key, name, &type, &data)) {
    ThrowValueError(ErrorKind::kHistoryRead, text::kHistoryReadError, name);
  }
  if (type != kRegSz && type != kRegExpandSz) {
    ThrowValueError(ErrorKind::kHistoryType, text::kHistoryTypeError, name);
  }
  // Data stored without a terminating zero fills the buffer exactly: the
  // text then ends with the data, never past it.
  const auto end = std::find(data.begin(), data.end(), '\0');
  HistoryValue value{std::string(data.begin(), end), {}};
  if (!value.text.empty()) value.original = backend_.QueryOriginal(key, name, value.text);
  return value;
}

LoadResult HistoryStore::Load(const PerValueStep& step) {
  const UniqueHistoryKey key = OpenHistoryKey(backend_, KeyUse::kLoad);
  if (!key) return LoadResult::kUnavailable;
  for (int n = 1; n <= kHistoryValues; ++n) step(n, ReadValue(key.get().key, n));
  return LoadResult::kOpened;
}

void HistoryStore::Save(const std::vector<std::string>& entries, int first_unseen,
                        const std::vector<std::u16string>& originals) {
  // Entries are the user's and need a key to go to; an empty list asks for
  // none, since there is nothing to keep.
  OpenResult opened = OpenResult::kOpened;
  const UniqueHistoryKey key =
      OpenHistoryKey(backend_, entries.empty() ? KeyUse::kSave : KeyUse::kCreateForSave, &opened);
  if (opened == OpenResult::kMissing) return;
  // A key that will not take values fails as its first write would, so the
  // user learns that the list was not saved.
  if (!key)
    ThrowValueError(ErrorKind::kHistoryWrite, text::kHistoryWriteError, HistoryValueName(1));
  for (int n = 1; n <= kHistoryValues; ++n) {
    const bool has_entry = static_cast<std::size_t>(n) <= entries.size();
    // A value the load never reached was never shown: only an entry of the
    // user's may replace it.
    if (n >= first_unseen && !has_entry) continue;
    const std::string name = HistoryValueName(n);
    if (!has_entry) {
      backend_.Delete(key.get().key, name);
      continue;
    }
    // The write replaces the value whatever its type. Deleting it first
    // would lose it when the write then fails: the user could only leave
    // without saving, and the value would be gone from the history.
    const std::size_t i = static_cast<std::size_t>(n) - 1;
    const bool written = i < originals.size() && !originals[i].empty()
                             ? backend_.WriteOriginal(key.get().key, name, originals[i])
                             : backend_.Write(key.get().key, name, entries[i]);
    if (!written) {
      ThrowValueError(ErrorKind::kHistoryWrite, text::kHistoryWriteError, name);
    }
  }
}

}  // namespace velm
