// The history key held in memory, for tests. Values may have any type and
// any bytes (none, unterminated, zeros inside, an odd count; a string's are
// UTF-16 units, as the wide functions see them); names match without regard
// to ASCII case, as in the registry. Faults can be injected, and every
// operation is recorded so a test can check that the key was closed.
//
//   MemoryRegistry reg;
//   reg.SetString("url1", "http://a/\xC3\xA9");   // entry text: http://a/é
//   reg.FailWriteAt("url3");
//   ... run the store ...
//   EXPECT_EQ(reg.open_keys(), 0);
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "stores/registry_backend.h"

namespace velm {

// The bytes of units as a string value holds them, little-endian.
std::vector<char> Utf16Data(std::u16string_view units);

class MemoryRegistry : public RegistryBackend {
 public:
  struct Value {
    std::uint32_t type = kRegSz;
    std::vector<char> data;
  };

  // The key exists from the start; RemoveKey makes it absent.
  void RemoveKey();
  void CreateKey();
  bool key_present() const { return key_present_; }

  void SetValue(const std::string& name, std::uint32_t type, std::vector<char> data);
  // REG_SZ of the entry text's UTF-16 units with a terminating zero unit.
  void SetString(const std::string& name, const std::string& text);
  std::optional<Value> GetValue(const std::string& name) const;
  // The value's units up to the first zero unit; nullopt when absent.
  std::optional<std::u16string> Units(const std::string& name) const;
  // Those units as entry text.
  std::optional<std::string> Text(const std::string& name) const;
  // Every name held, lower case.
  std::vector<std::string> Names() const;

  // Faults.
  void FailOpen() { fail_open_ = true; }
  // The key may be read but not changed.
  void RefuseChanges() { read_only_ = true; }
  // times < 0: every data query of name fails; else the next times ones.
  void FailDataQuery(const std::string& name, int times = -1);
  void FailWriteAt(const std::string& name);
  // The last-write time cannot be told, as when it is too recent.
  void FailStampQuery() { fail_stamp_ = true; }
  // Every fault ends, as when a passing trouble is over.
  void ClearFaults();

  // Record.
  int opens() const { return opens_; }
  int open_keys() const { return static_cast<int>(open_.size()); }
  // Operations on a key that was not open (including a second close).
  int misuses() const { return misuses_; }
  const std::vector<std::string>& deletes() const { return deletes_; }
  const std::vector<std::string>& writes() const { return writes_; }
  // "open", "stamp", "size url1", "data url1", "delete url1",
  // "write url1", "close".
  const std::vector<std::string>& log() const { return log_; }

  [[nodiscard]] OpenResult Open(KeyUse use, Key* key) override;
  [[nodiscard]] bool QuerySize(Key key, const std::string& name, std::uint32_t* type,
                               std::uint32_t* size) override;
  [[nodiscard]] bool QueryData(Key key, const std::string& name, std::uint32_t* type,
                               std::vector<char>* data) override;
  // The count of changes made to the key so far: every one moves it on.
  [[nodiscard]] bool QueryLastWrite(Key key, std::uint64_t* stamp) override;
  void Delete(Key key, const std::string& name) override;
  [[nodiscard]] bool Write(Key key, const std::string& name, std::u16string_view text) override;
  void Close(Key key) override;

 private:
  bool Usable(Key key);

  bool key_present_ = true;
  std::map<std::string, Value> values_;  // by lower-case name

  bool fail_open_ = false;
  bool read_only_ = false;
  std::map<std::string, int> fail_data_;
  std::set<std::string> fail_write_;
  bool fail_stamp_ = false;
  std::uint64_t changes_ = 0;

  Key next_key_ = 1;
  std::set<Key> open_;
  int opens_ = 0;
  int misuses_ = 0;
  std::vector<std::string> deletes_;
  std::vector<std::string> writes_;
  std::vector<std::string> log_;
};

}  // namespace velm
