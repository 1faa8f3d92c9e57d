#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "memory_registry.h"
#include "stores/history_merge.h"
#include "stores/history_store.h"

namespace velm::testing {
namespace {

std::vector<char> Bytes(std::string_view s) {
  return std::vector<char>(s.begin(), s.end());
}
const std::vector<char> kDwordOne = Bytes(std::string_view("\1\0\0\0", 4));

struct Step {
  int n;
  std::string text;
  bool operator==(const Step&) const = default;
};

class HistoryStoreTest : public ::testing::Test {
 protected:
  // Runs a load, collecting every step; rethrows what the load raised.
  std::vector<Step> Load(LoadResult* result = nullptr) {
    steps_.clear();
    const LoadResult r = store_.Load([&](int n, const HistoryValue& value) {
      steps_.push_back({n, value.text});
    });
    if (result) *result = r;
    return steps_;
  }

  void SeedOld(int from, int to) {
    for (int n = from; n <= to; ++n)
      registry_.SetString(HistoryValueName(n), "old" + std::to_string(n));
  }

  void ExpectKeyClosed() {
    EXPECT_EQ(registry_.open_keys(), 0);
    EXPECT_EQ(registry_.misuses(), 0);
  }

  MemoryRegistry registry_;
  HistoryStore store_{registry_};
  std::vector<Step> steps_;
};

TEST_F(HistoryStoreTest, LoadPassesEveryValueInOrderAndReadsOnlyTheirBytes) {
  registry_.SetString("url1", "http://a/");
  // url2 absent
  registry_.SetValue("url3", kRegSz, Utf16Data(std::u16string_view(u"\0", 1)));  // only the zero
  registry_.SetValue("url4", kRegBinary, {});                                    // no data
  registry_.SetValue("url5", kRegSz, Utf16Data(std::u16string_view(u"ab\0cd\0", 6)));
  std::vector<char> odd = Utf16Data(u"unterminated");
  odd.push_back('\x41');  // half a unit more: no part of the text
  registry_.SetValue("url6", kRegSz, odd);
  registry_.SetValue("url7", kRegExpandSz, Utf16Data(std::u16string_view(u"%TEMP%\\x\0", 9)));
  const std::string japanese = AnsiToUtf8(text::kButtonSwitchView);
  registry_.SetString("URL8", japanese);
  registry_.SetString("url26", "never");

  LoadResult result{};
  const std::vector<Step> steps = Load(&result);
  EXPECT_EQ(result, LoadResult::kOpened);
  ASSERT_EQ(steps.size(), 25u);
  const std::string expected[] = {"http://a/",    "",          "",      "", "ab",
                                  "unterminated", "%TEMP%\\x", japanese};
  for (int n = 1; n <= 25; ++n) {
    EXPECT_EQ(steps[n - 1], (Step{n, n <= 8 ? expected[n - 1] : ""}));
  }
  ExpectKeyClosed();
  const auto& log = registry_.log();
  EXPECT_TRUE(std::none_of(log.begin(), log.end(),
                           [](const std::string& op) { return op.find("url26") != op.npos; }));
  EXPECT_TRUE(registry_.writes().empty());
  EXPECT_TRUE(registry_.deletes().empty());
}

TEST_F(HistoryStoreTest, LoadReadsPastUnreadableValuesAndReportsTheFirst) {
  const struct {
    const char* what;
    void (*seed)(MemoryRegistry&);
    ErrorKind kind;
    const char* pattern;
  } cases[] = {
      {"REG_DWORD", [](MemoryRegistry& r) { r.SetValue("url5", kRegDword, kDwordOne); },
       ErrorKind::kHistoryType, text::kHistoryTypeError},
      {"failing data query",
       [](MemoryRegistry& r) {
         r.SetString("url5", "e");
         r.FailDataQuery("url5");
       },
       ErrorKind::kHistoryRead, text::kHistoryReadError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    registry_ = MemoryRegistry();
    registry_.SetString("url1", "a");
    registry_.SetString("url3", "c");
    registry_.SetString("url6", "f");
    registry_.SetValue("url7", kRegBinary, kDwordOne);  // a second one goes unreported
    c.seed(registry_);
    try {
      Load();
      ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), c.kind);
      EXPECT_EQ(e.what(), FormatText(c.pattern, "url5"));
    }
    ASSERT_EQ(steps_.size(), 25u);
    EXPECT_EQ(steps_[4], (Step{5, ""}));
    EXPECT_EQ(steps_[5], (Step{6, "f"}));
    ExpectKeyClosed();
  }
  // A query that fails once, as when the value grew between the two queries,
  // is tried again.
  registry_ = MemoryRegistry();
  registry_.SetString("url2", "b");
  registry_.FailDataQuery("url2", 1);
  EXPECT_EQ(Load()[1], (Step{2, "b"}));
}

TEST_F(HistoryStoreTest, AMissingKeyIsCreatedForEntriesOnlyAndAReadOnlyOneFailsTheSave) {
  registry_.RemoveKey();
  LoadResult result{};
  EXPECT_TRUE(Load(&result).empty());
  EXPECT_EQ(result, LoadResult::kUnavailable);
  store_.Save({});
  EXPECT_FALSE(registry_.key_present()) << "an empty list created the key";
  store_.Save({"a", "b"});
  EXPECT_EQ(registry_.Text("url2"), "b");

  MemoryRegistry read_only;
  read_only.SetString("url1", "readable");
  read_only.RefuseChanges();
  HistoryStore store(read_only);
  std::string shown;
  store.Load([&](int, const HistoryValue& value) { shown += value.text; });
  EXPECT_EQ(shown, "readable");
  try {
    store.Save({"a"});
    ADD_FAILURE() << "a refused save reported nothing";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), FormatText(text::kHistoryWriteError, "url1"));
  }
  EXPECT_EQ(read_only.Text("url1"), "readable");
  EXPECT_EQ(read_only.open_keys(), 0);
}

TEST_F(HistoryStoreTest, SaveWritesOverEachValueDeletesTheRestAndLeavesOtherNamesAlone) {
  SeedOld(1, 25);
  registry_.SetValue("url2", kRegDword, kDwordOne);
  registry_.SetString("url26", "kept");
  registry_.SetString("other", "kept too");
  store_.Save({"x", "y", "z"});

  EXPECT_EQ(registry_.Text("url1"), "x");
  EXPECT_EQ(registry_.GetValue("url2")->type, kRegSz);
  EXPECT_EQ(registry_.Text("url2"), "y");
  EXPECT_EQ(registry_.Text("url3"), "z");
  EXPECT_EQ(registry_.Names(),
            (std::vector<std::string>{"other", "url1", "url2", "url26", "url3"}));
  // A value with an entry is written over, never deleted first; the others
  // go.
  const std::vector<std::string> head(registry_.log().begin(), registry_.log().begin() + 6);
  EXPECT_EQ(head, (std::vector<std::string>{"open", "write url1", "write url2", "write url3",
                                            "delete url4", "delete url5"}));
  EXPECT_EQ(registry_.deletes().size(), 22u);

  std::vector<std::string> thirty;
  for (int i = 1; i <= 30; ++i) thirty.push_back("e" + std::to_string(i));
  store_.Save(thirty);
  for (int n = 1; n <= 25; ++n) EXPECT_EQ(registry_.Text(HistoryValueName(n)), thirty[n - 1]);
  EXPECT_EQ(registry_.Names().size(), 27u) << "only url1..url25 and the two others";

  store_.Save({});
  EXPECT_EQ(registry_.Names(), (std::vector<std::string>{"other", "url26"}));
  ExpectKeyClosed();
}

TEST_F(HistoryStoreTest, FailingWriteStopsTheSaveThere) {
  SeedOld(1, 25);
  registry_.FailWriteAt("url3");
  try {
    store_.Save({"a", "b", "c", "d"});
    ADD_FAILURE() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kHistoryWrite);
    EXPECT_EQ(e.what(), FormatText(text::kHistoryWriteError, "url3"));
  }
  EXPECT_EQ(registry_.Text("url1"), "a");
  EXPECT_EQ(registry_.Text("url2"), "b");
  EXPECT_EQ(registry_.Text("url3"), "old3") << "a failing write loses nothing";
  for (int n = 4; n <= 25; ++n)
    EXPECT_EQ(registry_.Text(HistoryValueName(n)), "old" + std::to_string(n));
  ExpectKeyClosed();
}

// One query of the key's last-write time tells whether the 25 values must
// be read again; with no edit the close does not touch the key at all.
TEST_F(HistoryStoreTest, TheCloseReadsTheHistoryAgainOnlyWhenItsLastWriteMoved) {
  using R = MemoryRegistry;
  const struct {
    const char* what;
    void (*meanwhile)(R&);
    bool edited;
    bool read_again;
    std::vector<std::string> saved;  // url1.. afterwards
  } cases[] = {
      {"nothing", [](R&) {}, true, false, {"A", "B", "X"}},
      {"a value added", [](R& r) { r.SetString("url3", "C"); }, true, true, {"A", "B", "C", "X"}},
      {"a time that cannot be told", [](R& r) { r.FailStampQuery(); }, true, true, {"A", "B", "X"}},
      {"no edit", [](R& r) { r.SetString("url1", "C"); }, false, false, {"C", "B"}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    registry_ = MemoryRegistry();
    registry_.SetString("url1", "A");
    registry_.SetString("url2", "B");
    HistoryBaseline baseline;
    store_.Load(
        [&](int, const HistoryValue& value) {
          if (!value.text.empty()) baseline.loaded.push_back(value);
        },
        &baseline.loaded_stamp);
    ASSERT_TRUE(baseline.loaded_stamp.has_value());
    t.meanwhile(registry_);
    const std::size_t logged = registry_.log().size();
    std::vector<ListedEntry> list = {{"A", 0}, {"B", 1}};
    if (t.edited) list.push_back({"X"});
    store_.SaveOver(baseline, list, false);
    const std::vector<std::string> ops(registry_.log().begin() + logged, registry_.log().end());
    EXPECT_EQ(std::count(ops.begin(), ops.end(), "size url1"), t.read_again ? 1 : 0);
    if (!t.edited) {
      EXPECT_TRUE(ops.empty()) << "the key was opened";
    }
    std::vector<std::string> saved;
    for (int n = 1; registry_.Text(HistoryValueName(n)); ++n)
      saved.push_back(*registry_.Text(HistoryValueName(n)));
    EXPECT_EQ(saved, t.saved);
    ExpectKeyClosed();
  }
}

using Values = std::vector<HistoryValue>;
using Strings = std::vector<std::string>;

Values Plain(const Strings& texts) {
  Values values;
  for (const std::string& text : texts) values.push_back({text});
  return values;
}

std::optional<Strings> Texts(const std::optional<Values>& values) {
  if (!values) return std::nullopt;
  Strings texts;
  for (const HistoryValue& value : *values) texts.push_back(value.text);
  return texts;
}

// "v1" .. "v<count>", and the list entries that are those values unchanged.
Strings Numbered(int count) {
  Strings texts;
  for (int i = 1; i <= count; ++i) texts.push_back("v" + std::to_string(i));
  return texts;
}
std::vector<ListedEntry> AsLoaded(const Strings& texts) {
  std::vector<ListedEntry> list;
  for (std::size_t i = 0; i < texts.size(); ++i) list.push_back({texts[i], i});
  return list;
}
template <typename T>
std::vector<T> Joined(std::vector<T> head, const std::vector<T>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(HistoryMerge, ReplaysTheUsersEditsOntoTheHistoryAsItStands) {
  using S = Strings;
  const S abc = {"A", "B", "C"}, cab = {"C", "A", "B"}, dabc = {"D", "A", "B", "C"};
  const ListedEntry a{"A", 0}, b{"B", 1}, c{"C", 2}, b2{"B2", 1, true}, x{"X"}, y{"Y"};
  const S v24 = Numbered(24), v25 = Numbered(25);
  S v23 = v24, v24_kept = v25;
  v23.pop_back();
  v24_kept.pop_back();
  std::vector<ListedEntry> v25_changed = AsLoaded(v25);
  v25_changed.back() = {"E", 24, true};
  const S x_v23_e = Joined(Joined({"X"}, v23), {"E"});
  const struct {
    const char* what;
    S loaded, current;
    std::vector<ListedEntry> list;
    bool users_order;
    std::optional<S> merged;  // none: nothing written
  } cases[] = {
      {"no edit, reordered elsewhere", abc, cab, {a, b, c}, false, {}},
      {"no edit, rewritten in place", abc, {"A", "X", "C"}, {a, b, c}, false, {}},
      {"no edit, the key gone", abc, {}, {a, b, c}, false, {}},
      {"a change after a reorder elsewhere", abc, cab, {a, b2, c}, false, S{"C", "A", "B2"}},
      {"a delete", abc, cab, {a, c}, false, S{"C", "A"}},
      {"a change gone elsewhere", abc, {"A", "C"}, {a, b2, c}, false, S{"A", "C", "B2"}},
      {"creates after the last",
       abc,
       dabc,
       {x, a, b, c, y},
       false,
       S{"D", "A", "B", "C", "X", "Y"}},
      {"the user's reorder", abc, {"D", "A", "C"}, {c, b2, a}, true, S{"D", "C", "B2", "A"}},
      {"a reorder drops what went", abc, {"A", "C"}, {c, b, a}, true, S{"C", "A"}},
      {"cleared, with an addition", abc, dabc, {}, true, S{"D"}},
      {"restored, with an addition", abc, dabc, {x, y}, true, S{"D", "X", "Y"}},
      {"24, a create, an addition", v24, Joined({"X"}, v24), Joined(AsLoaded(v24), {{"E"}}), false,
       x_v23_e},
      {"the 25th changed, an addition", v25, Joined({"X"}, v24_kept), v25_changed, false, x_v23_e},
      {"the key gone", abc, {}, {a, x, b2}, false, S{"B2", "X"}},
      {"one value listed twice", {"A", "B"}, {"A", "B"}, {a, a}, false, S{"A"}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    EXPECT_EQ(Texts(MergeHistory(Plain(t.loaded), Plain(t.current), t.list, t.users_order)),
              t.merged);
  }
}

}  // namespace
}  // namespace velm::testing
