// Gives a test the real TypedURLs key of the prefix, empty, and puts back
// what it held (or removes it, when it was not there) afterwards. Seeds and
// inspects values with the registry functions directly.
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
