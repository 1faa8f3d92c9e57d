// Gives a test the real TypedURLs key of the prefix, empty, and puts back
// what it held (or removes it, when it was not there) afterwards. Seeds and
// inspects values with the wide registry functions directly: a string's
// bytes are its UTF-16 units, exactly as stored.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "registry_contract.h"

namespace velm::testing {

class TypedUrlsScratch {
 public:
  TypedUrlsScratch();
  ~TypedUrlsScratch();
  TypedUrlsScratch(const TypedUrlsScratch&) = delete;
  TypedUrlsScratch& operator=(const TypedUrlsScratch&) = delete;

  static void RemoveKey();
  static bool KeyExists();
  static void SetRaw(const std::string& name, std::uint32_t type, const std::vector<char>& data);
  static std::optional<RawValue> GetRaw(const std::string& name);

 private:
  struct Saved {
    std::string name;
    RawValue value;
  };
  static std::vector<Saved> TakeValues();
  static void ClearValues();

  bool existed_ = false;
  std::vector<Saved> saved_;
};

}  // namespace velm::testing
