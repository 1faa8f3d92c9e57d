// The main window end to end: the start-up filling, the two views with their
// window heights, the editing commands, and what every way of closing stores.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/texts.h"
#include "driver/clipboard_text.h"
#include "driver/control_access.h"
#include "driver/dialog_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "driver/key_input.h"
#include "driver/wait.h"
#include "driver/window_search.h"
#include "forms/main_window.h"
#include "forms/restore_window.h"
#include "sample_urls.h"
#include "velm_test.h"

namespace e2e {
namespace {

namespace text = velm::text;

using Entries_ = std::vector<std::string>;
using Form = std::map<std::string, std::string>;
using Values = std::map<int, std::string>;

using MainWindowTest = VelmTest;

TEST_F(MainWindowTest, TypicalRunStepByStep) {
  // The Japanese address must come through registry, list and settings file
  // as the same code-page bytes.
  ASSERT_TRUE(SeedHistory({"http://one/", kJapaneseUrl, "http://three/"}));
  ASSERT_FALSE(FileExists(IniPath()));

  ASSERT_TRUE(Start());
  EXPECT_EQ(Caption(), text::kAppTitle);
  EXPECT_EQ(CurrentList(), ListBox1()) << "no settings file: the list view";
  EXPECT_EQ(Entries(), (Entries_{"http://one/", kJapaneseUrl, "http://three/"}));
  EXPECT_EQ(Selection(), -1);
  const RECT rect = OuterRect(main_);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  const SIZE client = ClientSize(main_);
  EXPECT_EQ(client.cx, 514);
  EXPECT_EQ(client.cy, 386);
  EXPECT_EQ(WindowText(GetDlgItem(main_, velm::kVersionLabel)), text::kVersionLabel);
  // The start-up wrote the history into the newest generation, and nothing else.
  EXPECT_EQ(Generation(IniPath(), 1),
            (Values{{1, "http://one/"}, {2, kJapaneseUrl}, {3, "http://three/"}}));
  EXPECT_TRUE(ProfileSection(IniPath(), "FORM").empty());

  ASSERT_TRUE(ChangeEntry(1, "http://two/"));
  EXPECT_EQ(Entries(), (Entries_{"http://one/", "http://two/", "http://three/"}));
  EXPECT_EQ(Selection(), 1);
  ASSERT_TRUE(ExitAndWait());

  EXPECT_EQ(ReadHistory(), SavedUrls({"http://one/", "http://two/", "http://three/"}));
  EXPECT_EQ(ProfileSection(IniPath(), "FORM"),
            (Form{{"LSTFLAG", "1"}, {"TOP", "0"}, {"LEFT", "0"}}));
  EXPECT_EQ(Generation(IniPath(), 1),
            (Values{{1, "http://one/"}, {2, kJapaneseUrl}, {3, "http://three/"}}));

  // The next start first moves OldUrl1 back, then records the edited history.
  ASSERT_TRUE(Start());
  EXPECT_EQ(Entries(), (Entries_{"http://one/", "http://two/", "http://three/"}));
  EXPECT_EQ(Generation(IniPath(), 2),
            (Values{{1, "http://one/"}, {2, kJapaneseUrl}, {3, "http://three/"}}));
  EXPECT_EQ(Generation(IniPath(), 1),
            (Values{{1, "http://one/"}, {2, "http://two/"}, {3, "http://three/"}}));
  ASSERT_TRUE(ExitAndWait());
}

// Every text reaches the screen as written, in the system's code page: also
// run under UTF-8 by its own ctest entry, which sets VELM_CODE_PAGE=65001.
TEST_F(MainWindowTest, EveryTextShowsAsWrittenInTheSystemCodePage) {
  if (const char* code_page = std::getenv("VELM_CODE_PAGE")) {
    ASSERT_EQ(GetACP(), std::stoul(code_page));
  }
  ASSERT_TRUE(SeedHistory({"http://a/"}));
  ASSERT_TRUE(Start());
  EXPECT_EQ(WindowText(main_), text::kAppTitle);
  for (const velm::ui::ControlLayout& control : velm::Form1Layout().controls) {
    if (control.caption) {
      EXPECT_EQ(WindowText(GetDlgItem(main_, control.id)), control.caption) << control.name;
    }
  }
  ASSERT_TRUE(OpenRestore());
  EXPECT_EQ(WindowText(restore_), text::kRestoreCaption);
  EXPECT_EQ(RestoreLabel(), text::kRestoreLabelHead + std::string("1") + text::kRestoreLabelTail);
  EXPECT_EQ(ListItems(GenerationList()), Entries_{text::kGenerationItem + std::string("1")});
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));
  DialogView question;
  ASSERT_TRUE(PressForDialog(text::kButtonExitNoSave, &question));
  EXPECT_EQ(question.caption, text::kConfirmCaption);
  EXPECT_EQ(question.buttons, (Entries_{text::kYes, text::kNo}));
  ASSERT_TRUE(Answer(question, text::kYes));
  ASSERT_TRUE(WaitNormalExit());
}

// A close with no edit writes nothing; one with an edit writes the list
// closed up from url1.
TEST_F(MainWindowTest, GapsInTheHistoryCloseUpAtAnEditAndOtherValuesStay) {
  ASSERT_TRUE(ResetHistoryKey());
  ASSERT_TRUE(SetHistoryString("url1", "http://1/"));
  ASSERT_TRUE(SetHistoryString("url3", "http://3/"));
  ASSERT_TRUE(SetHistoryString("url4", "http://4/"));
  ASSERT_TRUE(SetHistoryString("url26", "http://26/"));
  ASSERT_TRUE(Start());
  EXPECT_EQ(Entries(), (Entries_{"http://1/", "http://3/", "http://4/"}));
  EXPECT_EQ(Generation(IniPath(), 1),
            (Values{{1, "http://1/"}, {3, "http://3/"}, {4, "http://4/"}}));
  ASSERT_TRUE(CreateEntry("http://5/"));
  ASSERT_TRUE(ExitAndWait());
  HistoryValues expected = SavedUrls({"http://1/", "http://3/", "http://4/", "http://5/"});
  expected["url26"] = StringValue("http://26/");
  EXPECT_EQ(ReadHistory(), expected);
}

// velm.ini as an editor saved it, in UTF-16 LE, with a note the program
// never touches in characters the code page lacks.
std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text)
    bytes.append({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
  return bytes;
}

TEST_F(MainWindowTest, DropDownViewRoundTripWithItsWindowHeights) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/", "http://c/"}));
  const std::string note = Utf16Le(u"\r\nnote=한국어 😀 café ½\r\n");
  ASSERT_TRUE(WriteIni("\xFF\xFE" +
                       Utf16Le(u"[FORM]\r\nLSTFLAG=0\r\nTOP=40\r\nLEFT=30\r\n[Notes]") + note));
  ASSERT_TRUE(Start());
  const Entries_ abc = {"http://a/", "http://b/", "http://c/"};

  EXPECT_EQ(CurrentList(), ComboBox1());
  EXPECT_EQ(OuterHeight(main_), 114);
  EXPECT_EQ(Entries(), abc);
  EXPECT_EQ(Selection(), 0) << "the drop-down shows its first entry";
  const RECT rect = OuterRect(main_);
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 40);

  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_EQ(CurrentList(), ListBox1());
  EXPECT_EQ(OuterHeight(main_), 413);
  EXPECT_EQ(Entries(), abc);
  EXPECT_EQ(Selection(), -1);

  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_EQ(CurrentList(), ComboBox1());
  EXPECT_EQ(OuterHeight(main_), 124) << "a switch gives 124, not the start-up 114";
  EXPECT_EQ(Entries(), abc);
  EXPECT_EQ(Selection(), 0);

  // The drop-down list is what is edited and saved.
  ASSERT_TRUE(CreateEntry("http://d/"));
  EXPECT_EQ(Entries(), (Entries_{"http://a/", "http://b/", "http://c/", "http://d/"}));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://a/", "http://b/", "http://c/", "http://d/"}));
  EXPECT_EQ(ProfileSection(IniPath(), "FORM"),
            (Form{{"LSTFLAG", "0"}, {"TOP", "40"}, {"LEFT", "30"}}));
  const std::string saved = ReadFileBytes(IniPath()).value_or("");
  EXPECT_TRUE(saved.starts_with("\xFF\xFE")) << "still UTF-16";
  EXPECT_NE(saved.find(note), std::string::npos) << "the note kept byte for byte";
}

// A profile whose browser never stored a typed address has no history key.
TEST_F(MainWindowTest, DropDownStartWithNoHistoryKey) {
  ASSERT_TRUE(WriteIni("[FORM]\r\nLSTFLAG=0\r\n"));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(ExitAndWait());
  EXPECT_FALSE(HistoryKeyExists()) << "an empty list made a key";
  ASSERT_TRUE(Start());
  EXPECT_EQ(CurrentList(), ComboBox1());
  EXPECT_EQ(OuterHeight(main_), 114);
  EXPECT_EQ(Entries(), Entries_{});
  EXPECT_EQ(Selection(), -1);
  ASSERT_TRUE(CreateEntry("http://new/"));
  ASSERT_TRUE(CreateEntry("http://two/"));
  EXPECT_EQ(Entries(), (Entries_{"http://new/", "http://two/"}));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://new/", "http://two/"}));
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "LSTFLAG"), "0");
}

TEST_F(MainWindowTest, ExitWithoutSavingKeepsTheHistoryButStoresTheView) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/"}));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(Press(text::kButtonDelete));
  ASSERT_TRUE(Press(text::kButtonClear));
  EXPECT_EQ(Entries(), Entries_{});

  DialogView question;
  ASSERT_TRUE(PressForDialog(text::kButtonExitNoSave, &question));
  ASSERT_TRUE(Answer(question, text::kYes));
  ASSERT_TRUE(WaitNormalExit());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://a/", "http://b/"}));
  EXPECT_EQ(ProfileSection(IniPath(), "FORM"),
            (Form{{"LSTFLAG", "0"}, {"TOP", "0"}, {"LEFT", "0"}}));
}

TEST_F(MainWindowTest, CloseBoxAndAltF4SaveLikeExit) {
  for (const char* way : {"close box", "Alt+F4"}) {
    SCOPED_TRACE(way);
    ASSERT_TRUE(SeedHistory({"http://a/", "http://b/"}));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(CreateEntry("http://c/"));
    if (std::string(way) == "Alt+F4") {
      ASSERT_TRUE(PressKeys(main_, {VK_MENU, VK_F4}));
    } else {
      PostClose(main_);
    }
    ASSERT_TRUE(WaitNormalExit());
    EXPECT_EQ(ReadHistory(), SavedUrls({"http://a/", "http://b/", "http://c/"}));
    EXPECT_EQ(ProfileSection(IniPath(), "FORM"),
              (Form{{"LSTFLAG", "1"}, {"TOP", "0"}, {"LEFT", "0"}}));
  }
}

// Half the caption above the screen: the rest can still be dragged.
TEST_F(MainWindowTest, APositionPartlyOnTheScreenIsAppliedAndStoredUnchanged) {
  ASSERT_TRUE(WriteIni("[FORM]\r\nTOP=-15\r\nLEFT=-20\r\n"));
  ASSERT_TRUE(Start());
  const RECT rect = OuterRect(main_);
  EXPECT_EQ(rect.top, -15);
  EXPECT_EQ(rect.left, -20);
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ProfileSection(IniPath(), "FORM"),
            (Form{{"LSTFLAG", "1"}, {"TOP", "-15"}, {"LEFT", "-20"}}));
}

TEST_F(MainWindowTest, APositionOffEveryScreenOpensWhereNoneStoredWould) {
  // Saved on a monitor right of the 1280 x 1024 screen that is gone now; and
  // one pixel of the window at its corner, no title bar to take hold of.
  for (const char* position : {"TOP=100\r\nLEFT=3000", "TOP=1023\r\nLEFT=1279"}) {
    SCOPED_TRACE(position);
    ASSERT_TRUE(WriteIni(std::string("[FORM]\r\n") + position + "\r\n"));
    ASSERT_TRUE(Start());
    const RECT rect = OuterRect(main_);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.left, 0);
    ASSERT_TRUE(ExitAndWait());
  }
}

// The prefix's dpi (LogPixels) as a new process reads it; 96 again afterwards.
struct PrefixDpi {
  explicit PrefixDpi(DWORD dpi) { Set(dpi); }
  ~PrefixDpi() { Set(96); }
  static void Set(DWORD dpi) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
  }
};

// A control's rectangle in its parent's client area against its design at
// 96 dpi taken to 144, allowing for the rounding.
void ExpectOneAndAHalfTimes(HWND control, const velm::ui::ControlLayout& design) {
  SCOPED_TRACE(design.name);
  RECT r = OuterRect(control);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_NEAR(r.left, design.left * 1.5, 0.5);
  EXPECT_NEAR(r.top, design.top * 1.5, 0.5);
  EXPECT_NEAR(r.right - r.left, design.width * 1.5, 0.5);
  EXPECT_NEAR(r.bottom - r.top, design.height * 1.5, 0.5);
}

TEST_F(MainWindowTest, At144DpiEveryWindowIsItsDesignOneAndAHalfTimes) {
  ASSERT_TRUE(SeedHistory({"http://a/"}));
  ASSERT_TRUE(Start());
  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonCreate, &box));
  const SIZE box_at_96 = ClientSize(box.window);
  const int edit_at_96 = OuterHeight(box.edit);
  ASSERT_TRUE(Answer(box, text::kCancel));
  ASSERT_TRUE(ExitAndWait());

  PrefixDpi dpi(144);
  ASSERT_TRUE(Start());
  EXPECT_EQ(ClientSize(main_).cx, 771);
  EXPECT_EQ(ClientSize(main_).cy, 579);
  for (const velm::ui::ControlLayout& design : velm::Form1Layout().controls) {
    if (design.id == velm::kChangeButton || design.id == velm::kClearButton ||
        design.id == velm::kListView)
      ExpectOneAndAHalfTimes(GetDlgItem(main_, design.id), design);
  }
  // Items are a line of the font high: 13 at 96 dpi in Wine's stand-in face.
  EXPECT_NEAR(SendMessageA(ListBox1(), LB_GETITEMHEIGHT, 0, 0), 20, 2);

  ASSERT_TRUE(PressForDialog(text::kButtonCreate, &box));
  const SIZE box_at_144 = ClientSize(box.window);
  EXPECT_NEAR(box_at_144.cx, box_at_96.cx * 1.5, box_at_96.cx * 0.1);
  EXPECT_NEAR(box_at_144.cy, box_at_96.cy * 1.5, box_at_96.cy * 0.1);
  // The font's height and eight borders, each scaled (21 to 32 pixels).
  EXPECT_NEAR(OuterHeight(box.edit), edit_at_96 * 1.5, 1);
  ASSERT_TRUE(Answer(box, text::kCancel));

  ASSERT_TRUE(OpenRestore());
  EXPECT_EQ(ClientSize(restore_).cx, 624);
  EXPECT_EQ(ClientSize(restore_).cy, 515);  // 514.5
  ExpectOneAndAHalfTimes(PreviewList(), velm::Form2Layout().controls.back());
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));

  // The drop-down view after a switch: client 99, closed list 20 and items 13
  // high at 96 dpi. The item height stands in for the list's font, which
  // cannot be read from another process.
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_NEAR(ClientSize(main_).cy, 149, 1);
  EXPECT_NEAR(OuterHeight(ComboBox1()), 30, 1);
  EXPECT_NEAR(SendMessageA(ComboBox1(), CB_GETITEMHEIGHT, 0, 0), 20, 2);
  ASSERT_TRUE(ExitAndWait());
}

// The prefix's title-bar height, which each new process reads: "-450" twips is
// 30 pixels, taller than Wine's default as Windows 10 and 11 draw theirs. The
// prefix's own value comes back afterwards, also when the test fails.
struct PrefixCaptionHeight {
  static constexpr const char* kKey = "Control Panel\\Desktop\\WindowMetrics";
  explicit PrefixCaptionHeight(const char* twips) {
    DWORD size = sizeof old;
    RegGetValueA(HKEY_CURRENT_USER, kKey, "CaptionHeight", RRF_RT_REG_SZ, nullptr, old, &size);
    Set(twips);
  }
  ~PrefixCaptionHeight() { Set(old); }
  static void Set(const char* value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "CaptionHeight", REG_SZ, value,
                    static_cast<DWORD>(strlen(value) + 1));
  }
  char old[32] = "18";  // Wine's default, for a prefix without the value
};

// Every shown control of form lies inside its client area; one of below_ids
// lies wholly below it instead.
void ExpectControlsInClientArea(HWND form, const char* view, std::initializer_list<int> below_ids) {
  RECT client;
  GetClientRect(form, &client);
  for (HWND control : ChildWindows(form)) {
    if (!IsShown(control)) continue;
    RECT r = OuterRect(control), inside;
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    IntersectRect(&inside, &r, &client);
    const bool below = std::ranges::find(below_ids, GetDlgCtrlID(control)) != below_ids.end();
    EXPECT_TRUE(below ? r.top >= client.bottom : EqualRect(&inside, &r))
        << view << ": " << WindowText(control);
  }
}

TEST_F(MainWindowTest, UnderATallerTitleBarNoControlIsCutOff) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/"}));
  ASSERT_TRUE(WriteIni("[FORM]\r\nLSTFLAG=0\r\n"));
  PrefixCaptionHeight caption("-450");
  ASSERT_TRUE(Start());
  EXPECT_EQ(ClientSize(main_).cy, 89);
  ExpectControlsInClientArea(main_, "drop-down view at start-up", {velm::kVersionLabel});
  // Only the themed drop-down list knows the count, which sizes it when open.
  EXPECT_EQ(SendMessageA(ComboBox1(), CB_GETMINVISIBLE, 0, 0), 8);
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_EQ(ClientSize(main_).cy, 388);
  ExpectControlsInClientArea(main_, "list view", {});
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_EQ(ClientSize(main_).cy, 99);
  ExpectControlsInClientArea(main_, "drop-down view after a switch", {velm::kVersionLabel});
  ASSERT_TRUE(OpenRestore());
  ExpectControlsInClientArea(restore_, "restore window", {});
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));
  ASSERT_TRUE(ExitAndWait());
}

TEST_F(MainWindowTest, AnEmptyListRemovesEveryHistoryValue) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/", "http://c/"}));
  ASSERT_TRUE(SetHistoryString("url25", "http://25/"));
  ASSERT_TRUE(SetHistoryString("other", "kept"));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(Press(text::kButtonClear));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), (HistoryValues{{"other", StringValue("kept")}}));
}

// The browser records an address while the list is open: the close keeps
// it, first, and makes the user's delete all the same.
TEST_F(MainWindowTest, AnAddressTheBrowserAddedMeanwhileIsKept) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/", "http://c/"}));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(SeedHistory({"http://d/", "http://a/", "http://b/", "http://c/"}));
  ASSERT_TRUE(PickEntry(1));
  ASSERT_TRUE(Press(text::kButtonDelete));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://d/", "http://a/", "http://c/"}));
}

// A history cleared by another program while the list is open stays cleared.
TEST_F(MainWindowTest, AHistoryKeyRemovedMeanwhileIsNotCreatedAgain) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/"}));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(DeleteHistoryKey());
  ASSERT_TRUE(ExitAndWait());
  EXPECT_FALSE(HistoryKeyExists());
}

TEST_F(MainWindowTest, CreateOnAFullHistorySaysSoAndAddsNothing) {
  ASSERT_TRUE(ResetHistoryKey());
  for (int n = 1; n <= 25; ++n) {
    ASSERT_TRUE(SetHistoryString("url" + std::to_string(n), "http://" + std::to_string(n) + "/"));
  }
  const HistoryValues full = ReadHistory();
  ASSERT_TRUE(Start());
  DialogView error;
  ASSERT_TRUE(PressForDialog(text::kButtonCreate, &error));
  EXPECT_EQ(error.caption, text::kErrorCaption);
  EXPECT_EQ(error.texts, std::vector<std::string>{text::kHistoryFull});
  EXPECT_EQ(error.edit, nullptr) << "an input box opened";
  ASSERT_TRUE(AnswerAndSettle(error, text::kOk));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), full);
}

// An address with a long query, pasted: it must not be cut on its way.
TEST_F(MainWindowTest, ALongPastedAddressReachesTheHistoryWhole) {
  const std::string url = "http://long.example/?q=" + std::string(577, 'x');
  ASSERT_TRUE(ClearClipboard(std::wstring(url.begin(), url.end())));
  ASSERT_TRUE(Start());
  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonCreate, &box));
  ASSERT_TRUE(PressKeys(box.window, {VK_CONTROL, 'V'}));
  ASSERT_TRUE(PollUntil([&] { return EditText(box.edit).size() >= 600; }));
  ASSERT_TRUE(AnswerAndSettle(box, text::kOk));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({url}));
}

// The middle of entry index of a list box, at the top of its entries.
POINT EntryPoint(HWND list, int index) {
  const auto item = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  return {8, index * item + item / 2};
}

// Posted before its input box is up, a second click lands inside the box's
// message loop.
TEST_F(MainWindowTest, TwoClicksPostedOnCreateOpenOneInputBox) {
  ASSERT_TRUE(ResetHistoryKey());
  for (int n = 1; n <= 24; ++n) {
    ASSERT_TRUE(SetHistoryString("url" + std::to_string(n), "http://" + std::to_string(n) + "/"));
  }
  ASSERT_TRUE(Start());
  HWND create = ButtonByCaption(main_, text::kButtonCreate);
  PostClick(create);
  PostClick(create);
  DialogView box;
  ASSERT_TRUE(WaitDialog(&box));
  ASSERT_TRUE(TypeIntoEdit(box, "http://25/"));
  ASSERT_TRUE(AnswerAndSettle(box, text::kOk));
  EXPECT_EQ(FindDialog(app_.pid(), {main_, restore_}), nullptr) << "a second box";
  EXPECT_EQ(Entries().size(), 25u);
  ASSERT_TRUE(ExitAndWait());
}

// Each list scrolls sideways as far as its widest entry, measured anew as
// entries come and go.
TEST_F(MainWindowTest, AListScrollsSidewaysToItsLongestEntry) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://long/" + std::string(288, 'x')}));
  ASSERT_TRUE(Start());
  auto wider = [&](HWND list, UINT get_extent) {
    return SendMessageW(list, get_extent, 0, 0) > ClientSize(list).cx;
  };
  // Measured once the window is up.
  EXPECT_TRUE(PollUntil([&] { return wider(ListBox1(), LB_GETHORIZONTALEXTENT); }));
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_TRUE(wider(ComboBox1(), CB_GETHORIZONTALEXTENT));
  ASSERT_TRUE(PickEntry(1));
  ASSERT_TRUE(Press(text::kButtonDelete));
  EXPECT_FALSE(wider(ComboBox1(), CB_GETHORIZONTALEXTENT));
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_FALSE(wider(ListBox1(), LB_GETHORIZONTALEXTENT));
  ASSERT_TRUE(ExitAndWait());
}

// Ctrl+Up three times and Ctrl+Down on the third of A, B, C.
TEST_F(MainWindowTest, CtrlUpAndDownMoveTheSelectedEntryByOne) {
  ASSERT_TRUE(SeedHistory({"A", "B", "C"}));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(ClickAt(ListBox1(), EntryPoint(ListBox1(), 2)));
  ASSERT_TRUE(PollUntil([&] { return Selection() == 2; }));
  const std::pair<WORD, Entries_> steps[] = {{VK_UP, {"A", "C", "B"}},
                                             {VK_UP, {"C", "A", "B"}},
                                             {VK_UP, {"C", "A", "B"}},
                                             {VK_DOWN, {"A", "C", "B"}}};
  for (const auto& [key, entries] : steps) {
    ASSERT_TRUE(PressKeys(main_, {VK_CONTROL, key}));
    EXPECT_TRUE(PollUntil([&] { return Entries() == entries; }));
  }
  EXPECT_EQ(Selection(), 1) << "the selection goes with the entry";
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"A", "C", "B"}));
}

class EditingTest : public VelmTest {
 protected:
  void SetUp() override {
    VelmTest::SetUp();
    ASSERT_TRUE(SeedHistory({"A", "B", "C", "D"}));
    ASSERT_TRUE(Start());
  }
};

// Enter, F2 and a double click open 変更's input box for the entry; Ins
// opens 作成's.
TEST_F(EditingTest, KeysAndADoubleClickOpenTheEntryOrANewOne) {
  auto expect_box = [&](const std::string& caption) {
    DialogView box;
    ASSERT_TRUE(WaitDialog(&box));
    EXPECT_EQ(box.caption, caption);
    ASSERT_TRUE(AnswerAndSettle(box, text::kCancel));
  };
  const std::string change_b = std::string("B") + text::kChangeCaptionSuffix;
  ASSERT_TRUE(ClickAt(ListBox1(), EntryPoint(ListBox1(), 1)));
  ASSERT_TRUE(PollUntil([&] { return Selection() == 1; }));
  for (WORD key : {VK_RETURN, VK_F2, VK_INSERT}) {
    ASSERT_TRUE(PressKeys(main_, {key}));
    expect_box(key == VK_INSERT ? text::kCreateCaption : change_b);
  }
  for (int entry : {0, 2}) {
    ASSERT_TRUE(DoubleClickAt(ListBox1(), EntryPoint(ListBox1(), entry)));
    expect_box(Entries()[static_cast<std::size_t>(entry)] + text::kChangeCaptionSuffix);
  }
  EXPECT_EQ(Entries(), (Entries_{"A", "B", "C", "D"}));
}

// A dropped on C: where 移動 and a pick of C would put it, without the
// message. Let go above the list first: nothing moves.
TEST_F(EditingTest, DraggingAnEntryOntoAnotherMovesItThere) {
  ASSERT_TRUE(DragAcross(ListBox1(), EntryPoint(ListBox1(), 1), {8, -20}, 4));
  ASSERT_TRUE(DragAcross(ListBox1(), EntryPoint(ListBox1(), 0), EntryPoint(ListBox1(), 2), 4));
  EXPECT_TRUE(PollUntil([&] { return Entries() == Entries_{"B", "C", "A", "D"}; }));
  EXPECT_EQ(FindDialog(app_.pid(), {main_, restore_}), nullptr);
  EXPECT_EQ(Caption(), text::kAppTitle);
  EXPECT_EQ(Selection(), 2);
}

// A real Del while the button is held deletes the dragged entry: the drop
// then moves nothing (not the entry that took its place). A click afterwards
// shows that the drop has been handled.
TEST_F(EditingTest, DelPressedDuringADragEndsIt) {
  ASSERT_TRUE(
      DragAcross(ListBox1(), EntryPoint(ListBox1(), 0), EntryPoint(ListBox1(), 2), 4, {VK_DELETE}));
  ASSERT_TRUE(ClickAt(ListBox1(), EntryPoint(ListBox1(), 1)));
  ASSERT_TRUE(PollUntil([&] { return Selection() == 1; }));
  EXPECT_EQ(Entries(), (Entries_{"B", "C", "D"}));
}

TEST_F(EditingTest, CommandsThatNeedASelectionDoNothingWithoutOne) {
  // Each of these would open a dialog or change the list with a selection.
  for (const char* command : {text::kButtonChange, text::kButtonDelete, text::kButtonMove}) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(Press(command)) << "a dialog opened";
    EXPECT_EQ(Entries(), (Entries_{"A", "B", "C", "D"}));
    EXPECT_EQ(Caption(), text::kAppTitle);
  }
}

TEST_F(EditingTest, DeleteRemovesTheSelectedEntry) {
  ASSERT_TRUE(PickEntry(3));
  ASSERT_TRUE(Press(text::kButtonDelete));
  EXPECT_EQ(Entries(), (Entries_{"A", "B", "C"}));
  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(Press(text::kButtonDelete));
  EXPECT_EQ(Entries(), (Entries_{"B", "C"}));
}

TEST_F(EditingTest, MovePutsTheEntryAtThePickedPlace) {
  ASSERT_TRUE(MoveEntry(0, 2));
  EXPECT_EQ(Entries(), (Entries_{"B", "C", "A", "D"}));
  EXPECT_EQ(Caption(), text::kAppTitle);
  ASSERT_TRUE(MoveEntry(3, 1));
  EXPECT_EQ(Entries(), (Entries_{"B", "D", "C", "A"}));
  ASSERT_TRUE(MoveEntry(2, 2));
  EXPECT_EQ(Entries(), (Entries_{"B", "D", "C", "A"})) << "picking the source moves nothing";
  EXPECT_EQ(Caption(), text::kAppTitle);

  // Outside move mode a pick only selects.
  ASSERT_TRUE(PickEntry(1));
  EXPECT_EQ(Entries(), (Entries_{"B", "D", "C", "A"}));
  EXPECT_EQ(Selection(), 1);
}

TEST_F(EditingTest, MovePressedAgainEndsTheMoveWithoutMoving) {
  ASSERT_TRUE(PickEntry(0));
  DialogView message;
  ASSERT_TRUE(PressForDialog(text::kButtonMove, &message));
  ASSERT_TRUE(AnswerAndSettle(message, text::kOk));
  ASSERT_EQ(Caption(), text::kMovingCaption);
  ASSERT_EQ(Selection(), 0);
  ASSERT_TRUE(Press(text::kButtonMove)) << "the second press shows no message";
  EXPECT_EQ(Caption(), text::kAppTitle);
  EXPECT_EQ(Entries(), (Entries_{"A", "B", "C", "D"}));
}

TEST_F(EditingTest, MoveGoesOnAcrossAViewSwitch) {
  ASSERT_TRUE(PickEntry(0));
  DialogView message;
  ASSERT_TRUE(PressForDialog(text::kButtonMove, &message));
  ASSERT_TRUE(AnswerAndSettle(message, text::kOk));
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  ASSERT_EQ(CurrentList(), ComboBox1());
  EXPECT_EQ(Caption(), text::kMovingCaption);
  ASSERT_TRUE(PickEntry(2));
  EXPECT_EQ(Entries(), (Entries_{"B", "C", "A", "D"}));
  EXPECT_EQ(Caption(), text::kAppTitle);
}

// Del in the list shown does what 削除 does, Enter and F2 what 変更 does; a
// dropped drop-down list keeps those keys and Ins to itself. Esc in the
// restore window does what 戻る does, and nothing in the main window. Each
// step waits for what its key does: keys arrive after any sent message.
TEST_F(EditingTest, ListKeysInEachViewAndEscLeavesOnlyTheRestoreWindow) {
  // A click picks B and gives the list the focus, as a user's would.
  const auto item = static_cast<int>(SendMessageW(ListBox1(), LB_GETITEMHEIGHT, 0, 0));
  ASSERT_TRUE(ClickAt(ListBox1(), {8, item + item / 2}));
  ASSERT_TRUE(FocusComesTo(ListBox1()));
  ASSERT_TRUE(PollUntil([&] { return Selection() == 1; }));
  ASSERT_TRUE(PressKeys(main_, {VK_DELETE}));
  EXPECT_TRUE(PollUntil([&] { return Entries() == Entries_{"A", "C", "D"}; }));
  // Keys that are no command are the list's: a letter selects the entry it
  // begins with.
  for (const auto& [letter, index] : {std::pair{'D', 2}, std::pair{'A', 0}}) {
    ASSERT_TRUE(PressKeys(main_, {static_cast<WORD>(letter)}));
    EXPECT_TRUE(PollUntil([&] { return Selection() == index; })) << letter;
  }

  ASSERT_TRUE(Press(text::kButtonSwitchView));
  ASSERT_EQ(Selection(), 0);
  auto dropped = [&] { return SendMessageW(ComboBox1(), CB_GETDROPPEDSTATE, 0, 0) != 0; };
  ASSERT_TRUE(ClickAt(ComboBox1(), {8, ClientSize(ComboBox1()).cy / 2}));
  ASSERT_TRUE(PollUntil(dropped));
  for (WORD key : {VK_DELETE, VK_INSERT, VK_F2, VK_RETURN}) ASSERT_TRUE(PressKeys(main_, {key}));
  ASSERT_TRUE(PollUntil([&] { return !dropped(); })) << "Enter picks and closes the list";
  EXPECT_EQ(FindDialog(app_.pid(), {main_, restore_}), nullptr);
  EXPECT_EQ(Entries(), (Entries_{"A", "C", "D"}));
  ASSERT_TRUE(PressKeys(main_, {VK_F4}));  // drops the list again
  ASSERT_TRUE(PollUntil(dropped));
  ASSERT_TRUE(PressKeys(main_, {VK_ESCAPE}));  // closes the drop-down only
  ASSERT_TRUE(PollUntil([&] { return !dropped(); }));
  for (WORD key : {VK_RETURN, VK_F2}) {
    ASSERT_TRUE(PressKeys(main_, {key}));
    DialogView box;
    ASSERT_TRUE(WaitDialog(&box));
    EXPECT_EQ(box.caption, std::string("A") + text::kChangeCaptionSuffix);
    ASSERT_TRUE(AnswerAndSettle(box, text::kCancel));
  }
  ASSERT_TRUE(PressKeys(main_, {VK_DELETE}));
  EXPECT_TRUE(PollUntil([&] { return Entries() == Entries_{"C", "D"}; }));
  // The main window is no dialog: Esc leaves it open, and the Del after it
  // still arrives.
  ASSERT_TRUE(PressKeys(main_, {VK_ESCAPE}));
  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(PressKeys(main_, {VK_DELETE}));
  EXPECT_TRUE(PollUntil([&] { return Entries() == Entries_{"D"}; }));

  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(Preview(0));
  ASSERT_TRUE(PressKeys(restore_, {VK_ESCAPE}));
  ASSERT_TRUE(WaitGone(restore_));
  ASSERT_TRUE(Settle(main_));
  EXPECT_TRUE(IsEnabled(main_));
  EXPECT_EQ(Entries(), (Entries_{"D"}));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"D"}));
}

// Shift+F10 and the menu key open the list's popup menu, Esc leaves it; a
// right click on an entry selects it and opens the menu, whose access key D
// runs 削除 on that entry. (Its lines are read in-process by the toolkit's
// test: Wine reads no menu of another process.)
TEST_F(EditingTest, ARightClickShiftF10AndTheMenuKeyOpenThePopupMenu) {
  HWND popup = nullptr;
  ASSERT_TRUE(ClickAt(ListBox1(), EntryPoint(ListBox1(), 1)));  // the focus too
  ASSERT_TRUE(PollUntil([&] { return Selection() == 1; }));
  for (const bool menu_key : {false, true}) {
    ASSERT_TRUE(menu_key ? PressKeys(main_, {VK_APPS}) : PressKeys(main_, {VK_SHIFT, VK_F10}));
    ASSERT_TRUE(WaitTopLevel(app_.pid(), {.class_name = "#32768"}, &popup));
    ASSERT_TRUE(PressKeysAsTheyGo({VK_ESCAPE}));
    ASSERT_TRUE(WaitGone(popup));
  }
  ASSERT_TRUE(RightClickAt(ListBox1(), EntryPoint(ListBox1(), 2)));
  ASSERT_TRUE(WaitTopLevel(app_.pid(), {.class_name = "#32768"}, &popup));
  EXPECT_EQ(Selection(), 2);
  ASSERT_TRUE(PressKeysAsTheyGo({'D'}));
  EXPECT_TRUE(PollUntil([&] { return Entries() == Entries_{"A", "B", "D"}; }));

  // The drop-down view has the menu too.
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  auto dropped = [&] { return SendMessageW(ComboBox1(), CB_GETDROPPEDSTATE, 0, 0) != 0; };
  ASSERT_TRUE(ClickAt(ComboBox1(), {8, ClientSize(ComboBox1()).cy / 2}));  // the focus too
  ASSERT_TRUE(PollUntil(dropped));
  ASSERT_TRUE(PressKeys(main_, {VK_ESCAPE}));
  ASSERT_TRUE(PollUntil([&] { return !dropped(); }));
  ASSERT_TRUE(PressKeys(main_, {VK_SHIFT, VK_F10}));
  ASSERT_TRUE(WaitTopLevel(app_.pid(), {.class_name = "#32768"}, &popup));
  ASSERT_TRUE(PressKeysAsTheyGo({VK_ESCAPE}));
  ASSERT_TRUE(WaitGone(popup));
}

// Ctrl+C: the selected address as ANSI and as Unicode text.
TEST_F(EditingTest, CtrlCCopiesTheSelectedAddress) {
  ASSERT_TRUE(ClearClipboard());
  ASSERT_TRUE(PickEntry(1));
  ASSERT_TRUE(PressKeys(main_, {VK_CONTROL, 'C'}));
  EXPECT_TRUE(WaitClipboardText("B"));
}

// クリア undone with Ctrl+Z and redone with Ctrl+Y or Ctrl+Shift+Z (each
// command's undo and redo: the form's host test); 終了 then saves every
// value byte for byte, also one the code page cannot show.
TEST_F(MainWindowTest, ClearThenCtrlZBringsEveryEntryBackAndExitSavesThem) {
  constexpr wchar_t kKorean[] = L"http://k.example/?q=\uD55C\uAD6D\uC5B4";
  ASSERT_TRUE(SeedWideHistory({L"http://a/", kKorean, L"http://c/"}));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(Press(text::kButtonClear));
  ASSERT_EQ(Entries(), Entries_{});
  const std::tuple<bool, WORD, std::size_t> steps[] = {// Shift held, key, the entries after
                                                       {false, 'Z', 3},
                                                       {false, 'Y', 0},
                                                       {false, 'Z', 3},
                                                       {true, 'Z', 0},
                                                       {false, 'Z', 3}};
  for (const auto& [shift, key, count] : steps) {
    ASSERT_TRUE(shift ? PressKeys(main_, {VK_CONTROL, VK_SHIFT, key})
                      : PressKeys(main_, {VK_CONTROL, key}));
    EXPECT_TRUE(PollUntil([&] { return Entries().size() == count; })) << key << shift;
  }
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(), SavedWideUrls({L"http://a/", kKorean, L"http://c/"}));
}

}  // namespace
}  // namespace e2e
