// The promises every RegistryBackend keeps, written once and run against the
// in-memory registry on the host and the Windows functions under Wine. A
// harness gives the suite a back end over a history key that holds no
// values, plus the raw access a test needs to seed and inspect it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "stores/registry_backend.h"

namespace velm::testing {

struct RawValue {
  std::uint32_t type;
  std::vector<char> data;
};

class RegistryHarness {
 public:
  virtual ~RegistryHarness() = default;
  virtual RegistryBackend& backend() = 0;
  virtual void RemoveKey() = 0;
  virtual bool KeyExists() = 0;
  virtual void SetRaw(const std::string& name, std::uint32_t type,
                      const std::vector<char>& data) = 0;
  virtual std::optional<RawValue> GetRaw(const std::string& name) = 0;
};

struct RegistryContractParam {
  const char* name;
  std::function<std::unique_ptr<RegistryHarness>()> make;
};

inline void PrintTo(const RegistryContractParam& param, std::ostream* os) {
  *os << param.name;
}

class RegistryContract : public ::testing::TestWithParam<RegistryContractParam> {
 protected:
  void SetUp() override { harness_ = GetParam().make(); }

  RegistryBackend& backend() { return harness_->backend(); }
  RegistryHarness& harness() { return *harness_; }

  std::unique_ptr<RegistryHarness> harness_;
};

}  // namespace velm::testing
