// The back-end contracts, run against the portable INI file and the
// in-memory registry.
#include "document_profile.h"
#include "memory_registry.h"
#include "profile_contract.h"
#include "registry_contract.h"

namespace velm::testing {
namespace {

class MemoryHarness : public RegistryHarness {
 public:
  RegistryBackend& backend() override { return registry_; }
  void RemoveKey() override { registry_.RemoveKey(); }
  bool KeyExists() override { return registry_.key_present(); }
  void SetRaw(const std::string& name, std::uint32_t type, const std::vector<char>& data) override {
    registry_.SetValue(name, type, data);
  }
  std::optional<RawValue> GetRaw(const std::string& name) override {
    const auto value = registry_.GetValue(name);
    if (!value) return std::nullopt;
    return RawValue{value->type, value->data};
  }

 private:
  MemoryRegistry registry_;
};

INSTANTIATE_TEST_SUITE_P(Portable, ProfileContract,
                         ::testing::Values(ProfileContractParam{
                             "PortableProfile", [] { return std::make_unique<PortableProfile>(); },
                             /*writes_line_breaks_raw=*/false, /*keeps_ends=*/true}));

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(RegistryContractParam{
                             "MemoryRegistry", [] { return std::make_unique<MemoryHarness>(); }}));

}  // namespace
}  // namespace velm::testing
