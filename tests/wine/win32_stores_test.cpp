// The back-end contracts, run against the Windows functions: the private-
// profile functions on files in a scratch folder, the registry functions on
// the prefix's TypedURLs key.
#include <windows.h>

#include <sddl.h>

#include "core/entry_text.h"
#include "core/error.h"
#include "document_profile.h"
#include "memory_registry.h"
#include "profile_contract.h"
#include "registry_contract.h"
#include "stores/history_store.h"
#include "stores/win32_registry.h"
#include "stores/win32_settings_file.h"
#include "typed_urls_scratch.h"
#include "win32_profile.h"

namespace velm::testing {
namespace {

class Win32Harness : public RegistryHarness {
 public:
  RegistryBackend& backend() override { return registry_; }
  void RemoveKey() override { TypedUrlsScratch::RemoveKey(); }
  bool KeyExists() override { return TypedUrlsScratch::KeyExists(); }
  void SetRaw(const std::string& name, std::uint32_t type, const std::vector<char>& data) override {
    TypedUrlsScratch::SetRaw(name, type, data);
  }
  std::optional<RawValue> GetRaw(const std::string& name) override {
    return TypedUrlsScratch::GetRaw(name);
  }

 private:
  TypedUrlsScratch scratch_;
  Win32Registry registry_;
};

// The private-profile functions, and the settings document over the Windows
// file functions answering the same calls.
class Win32DocumentProfile : public DocumentProfile {
 public:
  Win32DocumentProfile() : DocumentProfile(file_) {}

 private:
  Win32SettingsFile file_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, ProfileContract,
    ::testing::Values(ProfileContractParam{"Win32Profile",
                                           [] { return std::make_unique<Win32Profile>(); },
                                           /*writes_line_breaks_raw=*/true, /*keeps_ends=*/false},
                      ProfileContractParam{"Win32Document",
                                           [] { return std::make_unique<Win32DocumentProfile>(); },
                                           /*writes_line_breaks_raw=*/false, /*keeps_ends=*/true}));

// The wide functions can store a string of an odd byte count: its text
// must come back whole, not one unit short, and a lone surrogate as it is.
TEST(Win32Registry, ValuesLoadAndSaveUnitForUnit) {
  TypedUrlsScratch scratch;
  constexpr char16_t kUrl[11] = u"http://\uD55C/";  // 20 bytes with its zero, then one more
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\TypedURLs",
                            L"url24", REG_SZ, kUrl, 21),
            ERROR_SUCCESS);
  const std::u16string lone = u"http://x/\xD83D";
  TypedUrlsScratch::SetRaw("url25", REG_SZ, Utf16Data(lone + u'\0'));
  Win32Registry registry;
  std::vector<std::string> texts;
  HistoryStore(registry).Load([&](int, const HistoryValue& value) {
    if (!value.text.empty()) texts.push_back(value.text);
  });
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(Wtf8ToUtf16(texts[0]), kUrl);
  HistoryStore(registry).Save(texts);
  const auto saved = TypedUrlsScratch::GetRaw("url2");
  ASSERT_TRUE(saved);
  EXPECT_EQ(
      std::u16string(reinterpret_cast<const char16_t*>(saved->data.data()), saved->data.size() / 2),
      lone + u'\0');
}

// Narrows the history key's access list to reading for everyone while it
// lives, and puts the old list back through the handle that read it.
class ReadOnlyHistoryKey {
 public:
  ReadOnlyHistoryKey() {
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs", 0,
                  READ_CONTROL | WRITE_DAC, &key_);
    DWORD size = 0;
    RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    PSECURITY_DESCRIPTOR read_only = nullptr;
    narrowed_ =
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size) == ERROR_SUCCESS &&
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KR;;;WD)", SDDL_REVISION_1,
                                                             &read_only, nullptr) &&
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, read_only) == ERROR_SUCCESS;
    LocalFree(read_only);
  }
  ~ReadOnlyHistoryKey() {
    if (narrowed_) RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data());
    RegCloseKey(key_);
  }
  bool narrowed() const { return narrowed_; }

 private:
  HKEY key_ = nullptr;
  std::vector<char> saved_;
  bool narrowed_ = false;
};

// Each step opens the key with the rights it needs: a history that may be
// read but not written loads whole, and its save fails.
TEST(Win32Registry, AHistoryThatMayOnlyBeReadLoadsAndRefusesTheSave) {
  TypedUrlsScratch scratch;
  TypedUrlsScratch::SetRaw("url1", REG_SZ, Utf16Data(std::u16string_view(u"http://a/", 10)));
  ReadOnlyHistoryKey read_only;
  ASSERT_TRUE(read_only.narrowed());
  Win32Registry registry;
  std::string url1;
  EXPECT_EQ(HistoryStore(registry).Load([&](int n, const HistoryValue& value) {
    if (n == 1) url1 = value.text;
  }),
            LoadResult::kOpened);
  EXPECT_EQ(url1, "http://a/");
  try {
    HistoryStore(registry).Save({"http://b/"});
    ADD_FAILURE() << "saved into a key that may only be read";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kHistoryWrite);
  }
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryContractParam{
                             "Win32Registry", [] { return std::make_unique<Win32Harness>(); }}));

}  // namespace
}  // namespace velm::testing
