// Fails the replacement of velm.ini at start-up and at the close, every data
// query of the load, and every history write of a close, one per run of the
// program. After every failure: the error text is the right one, no history
// value the user did not delete is gone, velm.ini is a well-formed file
// holding exactly what the last replacement that took effect wrote, and the
// program goes on working (a later Exit, Exit without saving or a retry
// succeeds).
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "ascii_lowered.h"
#include "core/ansi_text.h"
#include "core/entry_text.h"
#include "core/texts.h"
#include "forms_fixture.h"
#include "stores/startup_sequence.h"

namespace velm {
namespace {

using Texts = std::vector<std::string>;
using IniMap = std::map<std::pair<std::string, std::string>, std::string>;

// The file as the program writes it: CR LF lines, each a header or a key
// line, no name twice. nullopt for anything else.
std::optional<IniMap> ParseStrict(std::string_view bytes) {
  IniMap map;
  std::string section;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find("\r\n");
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 2);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = AsciiLowered(line.substr(1, line.size() - 2));
      continue;
    }
    const std::size_t eq = line.find('=');
    if (section.empty() || eq == std::string_view::npos || line.find('\r') != line.npos) {
      return std::nullopt;
    }
    const auto name = std::make_pair(section, AsciiLowered(line.substr(0, eq)));
    if (!map.emplace(name, std::string(line.substr(eq + 1))).second) return std::nullopt;
  }
  return map;
}

// What every run starts from: window settings, five generations (OldUrl4
// without url1, so it holds no data) and OldUrl6; 23 history values with
// gaps at url4 and url17, one of them REG_EXPAND_SZ, one Japanese, and two
// values of other names that nothing may touch.
const std::string kInitialIni = [] {
  std::string ini = "[FORM]\r\nLSTFLAG=1\r\nTOP=10\r\nLEFT=20\r\n";
  const std::vector<std::vector<int>> keys = {
      {1, 2, 3, 4, 5, 6, 7, 8},       {1, 2, 3, 4, 5, 6, 20}, {1, 2, 3, 4}, {2}, {1, 2, 3, 25},
      {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
  for (std::size_t k = 1; k <= keys.size(); ++k) {
    ini += "[OldUrl" + std::to_string(k) + "]\r\n";
    for (int n : keys[k - 1]) {
      ini += "url" + std::to_string(n) + "=http://g" + std::to_string(k) + ".example/" +
             std::to_string(n) + "\r\n";
    }
  }
  return ini;
}();

constexpr int kGaps[] = {4, 17};

std::string HistoryText(int n) {
  if (n == 9) return "%TEMP%\\nine";
  if (n == 12) return "http://" + AnsiToUtf8(text::kButtonSwitchView) + "/";
  return "http://h" + std::to_string(n) + ".example/?q=" + std::to_string(n);
}

bool IsGap(int n) {
  return std::find(std::begin(kGaps), std::end(kGaps), n) != std::end(kGaps);
}

// The non-empty history values before url n, closed up.
Texts ValuesBefore(int n) {
  Texts values;
  for (int i = 1; i < n; ++i) {
    if (!IsGap(i)) values.push_back(HistoryText(i));
  }
  return values;
}

const Texts kHistory = ValuesBefore(kHistoryValues + 1);

void Seed(FormsWorld& w) {
  testing::WriteBytes(w.ini_path, kInitialIni);
  for (int n = 1; n <= kHistoryValues; ++n) {
    if (IsGap(n)) continue;
    const std::string text = HistoryText(n);
    w.registry.SetValue(HistoryValueName(n), n == 9 ? kRegExpandSz : kRegSz,
                        Utf16Data(Wtf8ToUtf16(text) + u'\0'));
  }
  w.registry.SetString("url26", "http://beyond/");
  w.registry.SetValue("Other", kRegDword, {7, 0, 0, 0});
}

Texts NonEmpty(const Texts& texts) {
  Texts values;
  for (const std::string& t : texts) {
    if (!t.empty()) values.push_back(t);
  }
  return values;
}

void ExpectOtherValuesUntouched(const FormsWorld& w) {
  EXPECT_EQ(w.registry.Text("url26"), "http://beyond/");
  const auto other = w.registry.GetValue("other");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->data, (std::vector<char>{7, 0, 0, 0}));
}

// Every history value is still there, in its order.
void ExpectHistoryWhole(const FormsWorld& w) {
  EXPECT_EQ(NonEmpty(w.HistoryTexts()), kHistory);
  ExpectOtherValuesUntouched(w);
  EXPECT_EQ(w.registry.open_keys(), 0);
}

// Each of kept is in the history key, counting repeats.
void ExpectHistoryHolds(const FormsWorld& w, Texts kept) {
  Texts held = NonEmpty(w.HistoryTexts());
  std::sort(kept.begin(), kept.end());
  std::sort(held.begin(), held.end());
  EXPECT_TRUE(std::includes(held.begin(), held.end(), kept.begin(), kept.end()))
      << "a value the user kept is gone";
  ExpectOtherValuesUntouched(w);
}

void ExpectIniHoldsWhatTookEffect(const FormsWorld& w) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(w.folder.path())) {
    files.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(files, Texts{"velm.ini"}) << "a temporary file stayed behind";
  const std::string bytes = testing::ReadBytes(w.ini_path);
  EXPECT_TRUE(ParseStrict(bytes)) << "velm.ini is no longer well formed";
  EXPECT_EQ(bytes, w.disk.committed().value_or(kInitialIni));
}

void ExpectOneReport(const FormsWorld& w, ErrorKind kind, const std::string& text,
                     bool window_visible) {
  ASSERT_EQ(w.reports.size(), 1u);
  EXPECT_EQ(w.reports[0].kind, kind);
  EXPECT_EQ(w.reports[0].text, text);
  EXPECT_EQ(w.reports[0].main_window_visible, window_visible);
}

// The next start of the program, with whatever failed before now gone.
void ExpectCleanRestart(FormsWorld& w, const Texts& expected) {
  w.registry.ClearFaults();
  Texts entries;
  StartupState state;
  EXPECT_NO_THROW(RunStartupSequence(
      w.disk, w.registry, w.ini_path, [&](const HistoryValue& v) { entries.push_back(v.text); },
      &state));
  EXPECT_EQ(entries, expected);
  ExpectIniHoldsWhatTookEffect(w);
}

// The edits of the close runs: the 11th entry deleted, the last changed, one
// created. Entries before the 11th keep their places.
Texts Edit(FormsWorld& w) {
  w.main_view.Pick(kListView, 10);
  w.main_view.Click(kDeleteButton);
  w.main_view.Pick(kListView, w.ListBox1().Count() - 1);
  w.dialogs.AnswerInput("http://edited/");
  w.main_view.Click(kChangeButton);
  w.dialogs.AnswerInput("http://created/");
  w.main_view.Click(kCreateButton);
  Texts entries = kHistory;
  entries.erase(entries.begin() + 10);
  entries.back() = "http://edited/";
  entries.push_back("http://created/");
  EXPECT_EQ(w.ListBoxEntries(), entries);
  return entries;
}

// The history values the edits leave in the list.
Texts Kept() {
  Texts kept = kHistory;
  kept.pop_back();                // changed
  kept.erase(kept.begin() + 10);  // deleted
  return kept;
}

Texts Padded(Texts texts) {
  texts.resize(kHistoryValues);
  return texts;
}

// Counts the points of the matrix and those that raised no failure.
class Tally {
 public:
  void Begin() { failures_before_ = Failures(); }
  void End() {
    ++points_;
    if (Failures() == failures_before_) ++passed_;
  }
  void Print(const char* what) const {
    std::cout << "fault matrix: " << what << ": " << points_ << " points, " << passed_
              << " passed\n";
  }
  int points() const { return points_; }
  int passed() const { return passed_; }

 private:
  static int Failures() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
  }
  int points_ = 0;
  int passed_ = 0;
  int failures_before_ = 0;
};

// A start-up replaces velm.ini once, with the rotation and every snapshot.
void FailTheStartupReplacement(Tally& tally) {
  tally.Begin();
  FormsWorld w;
  Seed(w);
  w.disk.FailChange(1);
  w.Start();
  ASSERT_TRUE(w.disk.failed());
  EXPECT_EQ(w.disk.changes(), 1) << "one replacement per start-up";
  ExpectOneReport(w, ErrorKind::kSettingsWrite, FormatText(text::kSettingsWriteError, w.ini_path),
                  false);
  // Nothing of the start-up is in the file, yet the history is shown whole.
  EXPECT_EQ(w.ListBoxEntries(), kHistory);
  EXPECT_TRUE(w.MainWindow().Visible());
  ExpectIniHoldsWhatTookEffect(w);

  w.main_view.Click(kExitButton);
  EXPECT_EQ(w.end_requests, 1);
  EXPECT_EQ(w.reports.size(), 1u) << "the close after the failure reports nothing";
  ExpectHistoryWhole(w);
  ExpectCleanRestart(w, kHistory);
  tally.End();
}

void FailEachDataQuery(Tally& tally) {
  for (int n = 1; n <= kHistoryValues; ++n) {
    if (IsGap(n)) continue;
    SCOPED_TRACE("data query of url" + std::to_string(n));
    tally.Begin();
    FormsWorld w;
    Seed(w);
    w.registry.FailDataQuery(HistoryValueName(n));
    w.Start();
    ExpectOneReport(w, ErrorKind::kHistoryRead,
                    FormatText(text::kHistoryReadError, HistoryValueName(n)), false);
    // The load reads on. Nothing was edited, so the close writes nothing and
    // the value is there for the next start.
    Texts readable = kHistory;
    std::erase(readable, HistoryText(n));
    EXPECT_EQ(w.ListBoxEntries(), readable);
    EXPECT_EQ(w.registry.open_keys(), 0);
    ExpectIniHoldsWhatTookEffect(w);

    w.main_view.Click(kExitButton);
    EXPECT_EQ(w.end_requests, 1);
    EXPECT_TRUE(w.registry.writes().empty());
    ExpectOtherValuesUntouched(w);
    ExpectCleanRestart(w, kHistory);
    tally.End();
  }
}

void FailEachHistoryWrite(Tally& tally) {
  const int entries = static_cast<int>(Kept().size()) + 2;
  for (int n = 1; n <= entries; ++n) {
    for (const bool retry : {true, false}) {
      SCOPED_TRACE("history write of url" + std::to_string(n) + (retry ? ", retried" : ", left"));
      tally.Begin();
      FormsWorld w;
      Seed(w);
      w.Start();
      const Texts edited = Edit(w);
      w.registry.FailWriteAt(HistoryValueName(n));
      w.main_view.Click(kExitButton);
      ExpectOneReport(w, ErrorKind::kHistoryWrite,
                      FormatText(text::kHistoryWriteError, HistoryValueName(n)), true);
      EXPECT_EQ(w.end_requests, 0) << "the window stays open";
      EXPECT_EQ(w.registry.open_keys(), 0);
      EXPECT_EQ(w.Ini("FORM", "TOP"), "10") << "the window settings come after the history";
      ExpectHistoryHolds(w, Kept());

      if (retry) {
        w.registry.ClearFaults();
        w.main_view.Click(kExitButton);
        EXPECT_EQ(w.HistoryTexts(), Padded(edited));
      } else {
        w.dialogs.AnswerConfirm(ui::kResultYes);
        w.main_view.Click(kExitNoSaveButton);
        ExpectHistoryHolds(w, Kept());
      }
      EXPECT_EQ(w.end_requests, 1);
      EXPECT_EQ(w.reports.size(), 1u);
      EXPECT_EQ(w.Ini("FORM", "LSTFLAG"), "1");
      ExpectIniHoldsWhatTookEffect(w);
      tally.End();
    }
  }
}

void FailEachSettingsWriteOfTheClose(Tally& tally) {
  for (int i = 1;; ++i) {
    SCOPED_TRACE("settings replacement " + std::to_string(i) + " of the close");
    FormsWorld w;
    Seed(w);
    w.Start();
    const Texts edited = Edit(w);
    w.main_view.Click(kSwitchViewButton);  // LSTFLAG becomes 0
    w.MainWindow().SetTop(-20);
    w.MainWindow().SetLeft(30);
    w.disk.FailChange(i);
    const std::string before = testing::ReadBytes(w.ini_path);
    w.main_view.Click(kExitButton);
    if (!w.disk.failed()) {
      EXPECT_EQ(i, 2) << "the close writes LSTFLAG, TOP and LEFT in one replacement";
      break;
    }
    tally.Begin();
    ExpectOneReport(w, ErrorKind::kSettingsWrite, FormatText(text::kSettingsWriteError, w.ini_path),
                    true);
    EXPECT_EQ(testing::ReadBytes(w.ini_path), before) << "none of the three settings";
    EXPECT_EQ(w.end_requests, 1) << "the close completes";
    EXPECT_EQ(w.HistoryTexts(), Padded(edited));
    ExpectOtherValuesUntouched(w);
    ExpectIniHoldsWhatTookEffect(w);
    ExpectCleanRestart(w, edited);
    tally.End();
  }
}

TEST(FaultMatrix, EveryFailingWriteOrQueryLosesNothingAndLeavesTheProgramUsable) {
  Tally startup, load, history, settings;
  FailTheStartupReplacement(startup);
  FailEachDataQuery(load);
  FailEachHistoryWrite(history);
  FailEachSettingsWriteOfTheClose(settings);
  startup.Print("start-up replacement of velm.ini");
  load.Print("data queries of the load");
  history.Print("history writes of the close (retried, left without saving)");
  settings.Print("settings replacement of the close");
  const int points = startup.points() + load.points() + history.points() + settings.points();
  const int passed = startup.passed() + load.passed() + history.passed() + settings.passed();
  std::cout << "fault matrix: " << points << " points, " << passed << " passed\n";
  EXPECT_EQ(settings.points(), 1);
}

}  // namespace
}  // namespace velm
