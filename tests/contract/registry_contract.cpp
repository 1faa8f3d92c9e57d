#include "registry_contract.h"

#include <chrono>
#include <functional>
#include <thread>

#include "memory_registry.h"

namespace velm::testing {
namespace {

std::vector<char> Bytes(std::string_view s) {
  return std::vector<char>(s.begin(), s.end());
}

// Opens the key for one test and closes it on every way out.
class KeyFor {
 public:
  explicit KeyFor(RegistryBackend& backend, KeyUse use = KeyUse::kSave)
      : key_(OpenHistoryKey(backend, use)) {}
  bool opened() const { return key_.valid(); }
  RegistryBackend::Key get() const { return key_.get().key; }

 private:
  UniqueHistoryKey key_;
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

TEST_P(RegistryContract, OnlyASaveWithEntriesCreatesTheKey) {
  for (KeyUse use : {KeyUse::kLoad, KeyUse::kSave}) {
    EXPECT_TRUE(KeyFor(backend(), use).opened());
    harness().RemoveKey();
    OpenResult result{};
    EXPECT_FALSE(OpenHistoryKey(backend(), use, &result).valid());
    EXPECT_EQ(result, OpenResult::kMissing);
    EXPECT_FALSE(harness().KeyExists());
    EXPECT_TRUE(KeyFor(backend(), KeyUse::kCreateForSave).opened());
    EXPECT_TRUE(harness().KeyExists());
  }
}

TEST_P(RegistryContract, QueriesGiveTypeAndExactlyTheStoredBytes) {
  std::vector<char> odd = Utf16Data(u"http://\uD55C/");
  odd.push_back('x');  // an odd count: the wide functions store any bytes
  const struct {
    const char* name;
    std::uint32_t type;
    std::vector<char> data;
  } values[] = {
      {"url1", kRegSz, Utf16Data({u"abc", 4})},
      {"url2", kRegSz, Utf16Data(u"abc")},  // unterminated: the size is bare and no zero is added
      {"url3", kRegSz, Utf16Data({u"a\0b\0", 4})},
      {"url4", kRegExpandSz, Utf16Data({u"%TEMP%\\x", 9})},  // never expanded
      {"url5", kRegBinary, {}},
      {"url6", kRegDword, Bytes({"\x01\0\0\0", 4})},
      {"url7", kRegSz, Utf16Data({u"\u8868\uD55C\U0001F600\u00E9\u00A5\u301C\u2212", 9})},
      {"url8", kRegSz, Utf16Data({u"lone \xD83D", 7})},
      {"url9", kRegSz, odd},
  };
  for (const auto& v : values) harness().SetRaw(v.name, v.type, v.data);
  KeyFor key(backend());
  ASSERT_TRUE(key.opened());
  for (const auto& v : values) {
    const Queried got = SizeThenData(backend(), key.get(), v.name);
    EXPECT_TRUE(got.ok) << v.name;
    EXPECT_EQ(got.type, v.type) << v.name;
    EXPECT_EQ(got.data, v.data) << v.name;
  }
  EXPECT_FALSE(SizeThenData(backend(), key.get(), "url10").ok);
}

TEST_P(RegistryContract, WriteStoresRegSzWithItsZeroAndReplacesAnyType) {
  harness().SetRaw("url2", kRegDword, Bytes(std::string_view("\x07\0\0\0", 4)));
  const std::u16string_view units[] = {u"http://a/", u"\uD55C\U0001F600\u00E9\u00A5",
                                       u"lone \xDC00"};
  {
    KeyFor key(backend());
    ASSERT_TRUE(key.opened());
    for (int n = 1; n <= 3; ++n)
      ASSERT_TRUE(backend().Write(key.get(), "url" + std::to_string(n), units[n - 1]));
  }
  for (int n = 1; n <= 3; ++n) {
    const auto value = harness().GetRaw("url" + std::to_string(n));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, kRegSz);
    EXPECT_EQ(value->data, Utf16Data(std::u16string(units[n - 1]) + u'\0')) << n;
  }
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

// The close takes an unchanged last-write time for an unchanged key: every
// change moves it, from this opener or another, and a read does not. A time
// too recent to be told apart from a later change may be withheld, so each
// is asked for once the clock has moved well on.
TEST_P(RegistryContract, EveryChangeMovesTheLastWriteTimeAndReadingNone) {
  KeyFor key(backend());
  ASSERT_TRUE(key.opened());
  ASSERT_TRUE(backend().Write(key.get(), "url1", u"a"));
  const struct {
    const char* what;
    std::function<void()> change;
  } changes[] = {
      {"write", [&] { EXPECT_TRUE(backend().Write(key.get(), "url2", u"b")); }},
      {"delete", [&] { backend().Delete(key.get(), "url1"); }},
      {"another program's write", [&] { harness().SetRaw("url3", kRegSz, Bytes("c")); }},
  };
  auto stamp_later = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::uint64_t stamp = 0;
    EXPECT_TRUE(backend().QueryLastWrite(key.get(), &stamp));
    return stamp;
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    const std::uint64_t before = stamp_later();
    SizeThenData(backend(), key.get(), "url1");  // a read
    EXPECT_EQ(stamp_later(), before);
    c.change();
    EXPECT_NE(stamp_later(), before);
  }
}

TEST_P(RegistryContract, HugeAndOddValuesOfEveryTypeQueryExactly) {
  std::vector<char> huge(1024 * 1024, 'h');
  std::vector<char> zeros_inside = huge;
  for (std::size_t i = 1000; i < zeros_inside.size(); i += 100000) zeros_inside[i] = '\0';
  struct Raw {
    std::string name;
    std::uint32_t type;
    std::vector<char> data;
  };
  std::vector<Raw> values = {
      {"url1", kRegSz, huge},  // 1 MB, unterminated
      {"url2", kRegSz, zeros_inside},
  };
  huge.push_back('\0');
  values.push_back({"url3", kRegExpandSz, huge});
  // Every type, with and without data; names beyond url25 too.
  const std::uint32_t types[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11};
  for (const std::uint32_t type : types) {
    values.push_back(
        {"url" + std::to_string(10 + type), type, Bytes(std::string_view("\1\2\0\4", 4))});
    values.push_back({"url" + std::to_string(30 + type), type, {}});
  }
  for (const Raw& v : values) harness().SetRaw(v.name, v.type, v.data);
  KeyFor key(backend());
  ASSERT_TRUE(key.opened());
  for (const Raw& v : values) {
    SCOPED_TRACE(v.name);
    const Queried got = SizeThenData(backend(), key.get(), v.name);
    EXPECT_TRUE(got.ok);
    EXPECT_EQ(got.type, v.type);
    EXPECT_TRUE(got.data == v.data) << got.data.size() << " bytes";
  }
}

}  // namespace
}  // namespace velm::testing
