#include "stores/history_store.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <utility>

#include "core/entry_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "stores/history_merge.h"

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
  std::vector<char> data;
  // Another program may rewrite the value between the size query and the
  // data query (a longer text no longer fits): a second pair of queries
  // tells that apart from a value that cannot be read.
  for (int attempt = 1;; ++attempt) {
    std::uint32_t size = 0;
    if (!backend_.QuerySize(key, name, &type, &size) || size == 0) return {};
    data.assign(size, '\0');
    if (backend_.QueryData(key, name, &type, &data)) break;
    if (attempt == 2) ThrowValueError(ErrorKind::kHistoryRead, text::kHistoryReadError, name);
  }
  if (type != kRegSz && type != kRegExpandSz) {
    ThrowValueError(ErrorKind::kHistoryType, text::kHistoryTypeError, name);
  }
  // Data stored without a terminating zero fills the buffer exactly: the
  // text then ends with the data, never past it (an odd last byte is half
  // a unit, and no part of it).
  std::u16string units(data.size() / 2, u'\0');
  std::memcpy(units.data(), data.data(), units.size() * 2);
  units.resize(std::min(units.find(u'\0'), units.size()));
  return HistoryValue{Utf16ToWtf8(units)};
}

LoadResult HistoryStore::Load(const PerValueStep& step, std::optional<std::uint64_t>* stamp) {
  std::exception_ptr first_unreadable;
  {
    const UniqueHistoryKey key = OpenHistoryKey(backend_, KeyUse::kLoad);
    if (!key) return LoadResult::kUnavailable;
    // Taken before the values: a change made while they are read moves the
    // time past this one, so the close reads them again.
    if (stamp != nullptr) {
      std::uint64_t last_write = 0;
      if (backend_.QueryLastWrite(key.get().key, &last_write)) *stamp = last_write;
    }
    for (int n = 1; n <= kHistoryValues; ++n) {
      HistoryValue value;
      try {
        value = ReadValue(key.get().key, n);
      } catch (const Error&) {
        if (!first_unreadable) first_unreadable = std::current_exception();
      }
      step(n, value);
    }
  }
  if (first_unreadable) std::rethrow_exception(first_unreadable);
  return LoadResult::kOpened;
}

std::vector<HistoryValue> HistoryStore::ReadValues() {
  std::vector<HistoryValue> values;
  try {
    Load([&](int, const HistoryValue& value) {
      if (!value.text.empty()) values.push_back(value);
    });
  } catch (const Error&) {
    // The start reported what it could not read; the save writes over it.
  }
  return values;
}

void HistoryStore::Save(const std::vector<std::string>& entries) {
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
    const std::string name = HistoryValueName(n);
    if (static_cast<std::size_t>(n) > entries.size()) {
      backend_.Delete(key.get().key, name);
      continue;
    }
    // The write replaces the value whatever its type. Deleting it first
    // would lose it when the write then fails: the user could only leave
    // without saving, and the value would be gone from the history.
    const std::string& entry = entries[static_cast<std::size_t>(n) - 1];
    if (!backend_.Write(key.get().key, name, Wtf8ToUtf16(entry))) {
      ThrowValueError(ErrorKind::kHistoryWrite, text::kHistoryWriteError, name);
    }
  }
}

std::vector<HistoryValue> HistoryStore::ReadValuesSince(const HistoryBaseline& baseline) {
  if (baseline.loaded_stamp) {
    const UniqueHistoryKey key = OpenHistoryKey(backend_, KeyUse::kLoad);
    std::uint64_t last_write = 0;
    if (key && backend_.QueryLastWrite(key.get().key, &last_write) &&
        last_write == *baseline.loaded_stamp)
      return baseline.loaded;
  }
  return ReadValues();
}

void HistoryStore::SaveOver(HistoryBaseline& baseline, const std::vector<ListedEntry>& list,
                            bool users_order) {
  // Left exactly as other programs made it, unread: writing the list back
  // unedited could only undo what they did meanwhile.
  if (!HasEdits(baseline.loaded.size(), list, users_order)) return;
  // The history has other writers: what they did while the list was open
  // is kept, not overwritten by the list as the start read it.
  const std::vector<HistoryValue> current = ReadValuesSince(baseline);
  const std::vector<HistoryValue>& found = current == baseline.left ? baseline.found : current;
  std::vector<std::string> entries;
  std::optional<std::vector<HistoryValue>> merged =
      MergeHistory(baseline.loaded, found, list, users_order);
  for (HistoryValue& value : *merged) entries.push_back(std::move(value.text));
  try {
    Save(entries);
  } catch (const Error&) {
    baseline.found = found;
    baseline.left = ReadValues();
    throw;
  }
}

}  // namespace velm
