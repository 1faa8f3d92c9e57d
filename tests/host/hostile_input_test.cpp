// Input no user would make on purpose: history values of every type at every
// index, values of a megabyte, a velm.ini of garbage, an entry list of 10,000
// entries. No crash, no hang, the named error where there is one, nothing
// lost. Times are printed, never asserted.
#include <chrono>
#include <iostream>
#include <map>
#include <random>

#include "core/texts.h"
#include "forms_fixture.h"
#include "stores/generations.h"
#include "stores/startup_sequence.h"

namespace velm {
namespace {

using Texts = std::vector<std::string>;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// velm.ini in memory, for runs that only need a settings file to exist.
class MemoryFile : public PortableSettingsFile {
 public:
  FileState Load(const SettingsPath&, std::string* bytes) override {
    *bytes = bytes_;
    return bytes_.empty() ? FileState::kMissing : FileState::kLoaded;
  }
  bool Replace(const SettingsPath&, std::string_view bytes) override {
    bytes_ = bytes;
    return true;
  }
  bool Writable(const SettingsPath&) override { return true; }

 private:
  std::string bytes_;
};

std::string Value(int n) {
  return "http://v" + std::to_string(n) + "/";
}

TEST(HostileHistory, AValueOfAnyTypeAtAnyIndexIsReadSkippedOrReportedAndNothingIsLost) {
  const std::uint32_t types[] = {kRegNone, kRegSz, kRegExpandSz, kRegBinary, kRegDword,
                                 5,        6,      kRegMultiSz,  8,          11};
  const std::vector<char> data = Utf16Data(std::u16string_view(u"odd\0x", 5));
  int cases = 0;
  for (const std::uint32_t type : types) {
    for (int n = 1; n <= kHistoryValues; ++n) {
      for (const bool with_data : {false, true}) {
        SCOPED_TRACE("type " + std::to_string(type) + " at url" + std::to_string(n) +
                     (with_data ? " with data" : " without data"));
        ++cases;
        MemoryFile file;
        MemoryRegistry registry;
        for (int i = 1; i <= kHistoryValues; ++i) registry.SetString(HistoryValueName(i), Value(i));
        registry.SetValue(HistoryValueName(n), type, with_data ? data : std::vector<char>{});
        const bool is_text = type == kRegSz || type == kRegExpandSz;
        const bool fails = with_data && !is_text;

        Texts entries;
        StartupState state;
        try {
          RunStartupSequence(
              file, registry, {}, [&](const HistoryValue& v) { entries.push_back(v.text); },
              &state);
          EXPECT_FALSE(fails) << "no error raised";
        } catch (const Error& e) {
          EXPECT_TRUE(fails);
          EXPECT_EQ(e.kind(), ErrorKind::kHistoryType);
          EXPECT_EQ(e.what(), FormatText(text::kHistoryTypeError, HistoryValueName(n)));
        }
        Texts expected;
        for (int i = 1; i <= kHistoryValues; ++i) {
          if (i != n) expected.push_back(Value(i));
          if (i == n && with_data && is_text) expected.push_back("odd");
        }
        EXPECT_EQ(entries, expected);

        // Saved as loaded: every text is still there, closed up, and the
        // value that could not be read is gone.
        HistoryStore(registry).Save(entries);
        Texts held;
        for (int i = 1; i <= kHistoryValues; ++i) {
          const auto value = registry.GetValue(HistoryValueName(i));
          if (value && (value->type == kRegSz || value->type == kRegExpandSz)) {
            held.push_back(*registry.Text(HistoryValueName(i)));
          }
        }
        EXPECT_EQ(held, expected);
        EXPECT_EQ(registry.Names().size(), expected.size());
        EXPECT_EQ(registry.open_keys(), 0);
      }
    }
  }
  std::cout << "every value type at every index: " << cases << " cases\n";
}

TEST_F(FormsTest, MegabyteValuesLoadWholeAndAreSavedBackWhole) {
  const std::string megabyte(1024 * 1024, 'm');
  registry.SetString("url1", megabyte);
  const std::u16string units(megabyte.begin(), megabyte.end());
  registry.SetValue("url2", kRegSz, Utf16Data(units));
  std::vector<char> zeros_inside = Utf16Data(units);
  zeros_inside[1000000] = zeros_inside[1000001] = '\0';
  registry.SetValue("url3", kRegSz, zeros_inside);

  auto start = std::chrono::steady_clock::now();
  Start();
  const double load = SecondsSince(start);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(ListBoxEntries(), (Texts{megabyte, megabyte, megabyte.substr(0, 500000)}));
  EXPECT_EQ(Ini("OldUrl1", "url1"), megabyte.substr(0, 2047)) << "velm.ini reads are cut";

  start = std::chrono::steady_clock::now();
  main_view.Click(kExitButton);
  const double save = SecondsSince(start);
  EXPECT_EQ(end_requests, 1);
  EXPECT_EQ(HistoryTexts()[0], megabyte);
  EXPECT_EQ(HistoryTexts()[1], megabyte) << "stored now with its zero byte";
  EXPECT_EQ(HistoryTexts()[2], megabyte.substr(0, 500000));
  std::cout << "three values of 1 MB: start-up " << load << " s, close " << save << " s\n";
}

TEST_F(FormsTest, AVelmIniOfGarbageStillStartsSavesAndRestarts) {
  std::mt19937 random(7);
  std::string garbage;
  while (garbage.size() < 64 * 1024) garbage += static_cast<char>(random() & 0xFF);
  testing::WriteBytes(ini_path, garbage);
  SeedHistory({"a", "", "c"});
  Start();
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(ListBoxEntries(), (Texts{"a", "c"}));
  main_view.Click(kSwitchViewButton);
  MainWindow().SetTop(-7);
  main_view.Click(kExitButton);
  EXPECT_EQ(end_requests, 1);
  EXPECT_TRUE(reports.empty());

  Texts entries;
  StartupState state;
  RunStartupSequence(
      disk, registry, ini_path, [&](const HistoryValue& v) { entries.push_back(v.text); }, &state);
  EXPECT_EQ(entries, (Texts{"a", "c"}));
  EXPECT_FALSE(state.window.list_flag);
  EXPECT_EQ(state.window.top, -7);
  // The close wrote nothing, so the history is still the newest backup.
  EXPECT_EQ(ReadGeneration(Settings(disk, ini_path).document(), 1), (Texts{"a", "c"}));
}

}  // namespace
}  // namespace velm
