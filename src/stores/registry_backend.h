// The registry operations the history store needs, behind one narrow
// interface: the Win32 back end calls the real wide (*W) functions on the
// TypedURLs key, the in-memory one serves tests (with injectable faults).
// Data is a value's bytes as stored: a string's are UTF-16 units. An open key is held by the one
// who opened it, as a UniqueHistoryKey:
//
//   UniqueHistoryKey key = OpenHistoryKey(backend, KeyUse::kLoad);
//   if (!key) return;  // the history is unavailable
//   backend.Delete(key.get().key, "url1");
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/unique_resource.h"

namespace velm {

// Registry value types, with the numbers Windows gives them.
enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

// What a use of the key asks of it, and no more: a history the user may read
// but not change is still shown, and its save fails visibly.
enum class KeyUse {
  kLoad,           // query values; never creates the key
  kSave,           // query and set values; never creates the key
  kCreateForSave,  // as kSave, creating the key when it is missing
};

enum class OpenResult { kOpened, kMissing, kRefused };

class RegistryBackend {
 public:
  using Key = std::uintptr_t;

  virtual ~RegistryBackend() = default;

  // Opens HKCU\Software\Microsoft\Internet Explorer\TypedURLs\ for use.
  [[nodiscard]] virtual OpenResult Open(KeyUse use, Key* key) = 0;
  // Type and data size in bytes. false: the value is absent.
  [[nodiscard]] virtual bool QuerySize(Key key, const std::string& name, std::uint32_t* type,
                                       std::uint32_t* size) = 0;
  // Fills data, whose size is the queried size, and gives the type.
  // false: the query failed. Only the bytes the value has are written, and
  // data is cut to their count (a string stored without its zero byte ends
  // with its data).
  [[nodiscard]] virtual bool QueryData(Key key, const std::string& name, std::uint32_t* type,
                                       std::vector<char>* data) = 0;
  // The key's last-write time, in the system's file-time units: a change to
  // any value moves it on. false: it cannot be told, or it is too recent for
  // a later change to be stamped apart from it.
  [[nodiscard]] virtual bool QueryLastWrite(Key key, std::uint64_t* stamp) = 0;
  // The result is not looked at by the store.
  virtual void Delete(Key key, const std::string& name) = 0;
  // REG_SZ of the units with a terminating zero unit. false: refused.
  [[nodiscard]] virtual bool Write(Key key, const std::string& name, std::u16string_view text) = 0;
  // Releases a key that Open gave; called once for each, by its owner.
  virtual void Close(Key key) = 0;
};

// An open key and the back end that closes it.
struct OpenedKey {
  RegistryBackend* backend = nullptr;
  RegistryBackend::Key key = 0;
  bool operator==(const OpenedKey&) const = default;
};

struct HistoryKeyTraits {
  using Handle = OpenedKey;
  static Handle Invalid() { return {}; }
  static void Close(Handle opened) { opened.backend->Close(opened.key); }
};
using UniqueHistoryKey = UniqueResource<HistoryKeyTraits>;

// Opens the history key through backend; empty when it is not opened, and
// result, when given, says why.
inline UniqueHistoryKey OpenHistoryKey(RegistryBackend& backend, KeyUse use,
                                       OpenResult* result = nullptr) {
  RegistryBackend::Key key = 0;
  const OpenResult opened = backend.Open(use, &key);
  if (result != nullptr) *result = opened;
  if (opened != OpenResult::kOpened) return {};
  return UniqueHistoryKey(OpenedKey{&backend, key});
}

}  // namespace velm
