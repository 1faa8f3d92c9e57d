#include "registry_contract.h"

#include "core/texts.h"

namespace velm::testing {
namespace {

std::vector<char> Bytes(std::string_view s) {
  return std::vector<char>(s.begin(), s.end());
}

// Opens the key for one test and closes it on every way out.
class KeyFor {
 public:
  explicit KeyFor(RegistryBackend& backend) : backend_(backend) { opened_ = backend_.Open(&key_); }
  ~KeyFor() {
    if (opened_) backend_.Close(key_);
  }
  bool opened() const { return opened_; }
  RegistryBackend::Key get() const { return key_; }

 private:
  RegistryBackend& backend_;
  RegistryBackend::Key key_ = 0;
  bool opened_ = false;
};

struct Queried {
  bool ok;
  std::uint32_t type;
  std::vector<char> data;
};

// Size query, then a data query with a buffer of exactly that size.
Queried SizeThenData(RegistryBackend& backend, RegistryBackend::Key key, const std::string& name) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (!backend.QuerySize(key, name, &type, &size)) return {false, 0, {}};
  std::vector<char> data(size);
  if (size == 0) return {true, type, data};
  const bool ok = backend.QueryData(key, name, &type, &data);
  return {ok, type, data};
}

TEST_P(RegistryContract, OpensAnExistingKeyAndNeverCreatesOne) {
  {
    KeyFor key(backend());
    EXPECT_TRUE(key.opened());
  }
  harness().RemoveKey();
  {
    KeyFor key(backend());
    EXPECT_FALSE(key.opened());
  }
  EXPECT_FALSE(harness().KeyExists());
}

TEST_P(RegistryContract, SizeQueryGivesTypeAndByteCount) {
  harness().SetRaw("url1", kRegSz, Bytes(std::string_view("abc", 4)));
  harness().SetRaw("url2", kRegBinary, {});
  harness().SetRaw("url3", kRegDword, Bytes(std::string_view("\x01\0\0\0", 4)));
  harness().SetRaw("url4", kRegSz, Bytes("abc"));  // no terminating zero
  KeyFor key(backend());
  ASSERT_TRUE(key.opened());
  const struct {
    const char* name;
    std::uint32_t type;
    std::uint32_t size;
  } expected[] = {
      {"url1", kRegSz, 4}, {"url2", kRegBinary, 0}, {"url3", kRegDword, 4}, {"url4", kRegSz, 3}};
  for (const auto& e : expected) {
    std::uint32_t type = 0;
    std::uint32_t size = 99;
    ASSERT_TRUE(backend().QuerySize(key.get(), e.name, &type, &size)) << e.name;
    EXPECT_EQ(type, e.type) << e.name;
    EXPECT_EQ(size, e.size) << e.name;
  }
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_FALSE(backend().QuerySize(key.get(), "url5", &type, &size));
}

TEST_P(RegistryContract, DataQueryGivesTheStoredBytesAndNothingMore) {
  const std::string japanese = std::string(text::kButtonSwitchView) + '\0';
  harness().SetRaw("url1", kRegSz, Bytes("abc"));  // unterminated: no zero is added
  harness().SetRaw("url2", kRegSz, Bytes(std::string_view("a\0b\0", 4)));
  harness().SetRaw("url3", kRegExpandSz, Bytes(std::string_view("%TEMP%\\x\0", 9)));
  harness().SetRaw("url4", kRegSz, Bytes(japanese));
  KeyFor key(backend());
  ASSERT_TRUE(key.opened());

  EXPECT_EQ(SizeThenData(backend(), key.get(), "url1").data, Bytes("abc"));
  EXPECT_EQ(SizeThenData(backend(), key.get(), "url2").data, Bytes(std::string_view("a\0b\0", 4)));
  const Queried expand = SizeThenData(backend(), key.get(), "url3");
  EXPECT_TRUE(expand.ok);
  EXPECT_EQ(expand.type, kRegExpandSz);
  EXPECT_EQ(expand.data, Bytes(std::string_view("%TEMP%\\x\0", 9))) << "must stay unexpanded";
  EXPECT_EQ(SizeThenData(backend(), key.get(), "url4").data, Bytes(japanese));
}

TEST_P(RegistryContract, WriteStoresRegSzWithItsZeroAndReplacesAnyType) {
  harness().SetRaw("url2", kRegDword, Bytes(std::string_view("\x07\0\0\0", 4)));
  {
    KeyFor key(backend());
    ASSERT_TRUE(key.opened());
    ASSERT_TRUE(backend().Write(key.get(), "url1", "http://a/"));
    ASSERT_TRUE(backend().Write(key.get(), "url2", text::kButtonSwitchView));
  }
  const auto url1 = harness().GetRaw("url1");
  ASSERT_TRUE(url1);
  EXPECT_EQ(url1->type, kRegSz);
  EXPECT_EQ(url1->data, Bytes(std::string_view("http://a/", 10)));
  const auto url2 = harness().GetRaw("url2");
  ASSERT_TRUE(url2);
  EXPECT_EQ(url2->type, kRegSz);
  EXPECT_EQ(url2->data, Bytes(std::string(text::kButtonSwitchView) + '\0'));
}

TEST_P(RegistryContract, DeleteRemovesOnlyItsValueAndNamesIgnoreCase) {
  harness().SetRaw("URL1", kRegSz, Bytes(std::string_view("a", 2)));
  harness().SetRaw("url26", kRegSz, Bytes(std::string_view("z", 2)));
  {
    KeyFor key(backend());
    ASSERT_TRUE(key.opened());
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_TRUE(backend().QuerySize(key.get(), "url1", &type, &size));
    backend().Delete(key.get(), "url1");
    backend().Delete(key.get(), "url2");  // absent: nothing happens
    EXPECT_FALSE(backend().QuerySize(key.get(), "url1", &type, &size));
  }
  EXPECT_FALSE(harness().GetRaw("url1"));
  EXPECT_TRUE(harness().GetRaw("url26"));
}

}  // namespace
}  // namespace velm::testing
