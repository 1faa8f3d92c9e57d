// History values that code page 932 cannot carry, set through the wide
// registry functions as the browser sets them: velm.exe must give each one
// back byte for byte unless the user rewrote it, and so must its backups.
// And the browser changing the history while the list is open.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"
#include "driver/control_access.h"
#include "driver/dialog_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "velm_test.h"

namespace e2e {
namespace {

namespace text = velm::text;

// Mostly characters outside the basic plane: two UTF-16 units each, which the
// ANSI size need not count as two bytes. ¥, 〜 and − turn into look-alikes
// in the code page.
constexpr wchar_t kKorean[] =
    L"http://b.example/?q=\uD55C\uAD6D\uC5B4\u00E9\u00A5\u301C\u2212"
    L"😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀";
constexpr wchar_t kPlain[] = L"http://plain.example/";
// Both read as "http://x.example/?" through the ANSI functions.
constexpr wchar_t kHan[] = L"http://x.example/\uD55C";
constexpr wchar_t kGuk[] = L"http://x.example/\uAD6D";

class HistoryValuesTest : public VelmTest {
 protected:
  void SetUp() override {
    VelmTest::SetUp();
    ASSERT_TRUE(SeedWideHistory({kKorean, kPlain, kHan, kGuk}));
    ASSERT_TRUE(Start());
  }
};

// Each value is shown as it is, in both views, in a backup's preview and in
// 変更's field, where a character typed at its end keeps the rest; 作成
// stores an address in any script as typed.
TEST_F(HistoryValuesTest, EveryValueIsShownAndEditedAsItIs) {
  const std::vector<std::wstring> seeded = {kKorean, kPlain, kHan, kGuk};
  EXPECT_EQ(WideListItems(ListBox1()), seeded);
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  EXPECT_EQ(WideListItems(ComboBox1()), seeded);
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(Preview(0));
  EXPECT_EQ(WideListItems(PreviewList()), seeded);
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));

  ASSERT_TRUE(PickEntry(0));
  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonChange, &box));
  const std::wstring shown = WideEditText(box.edit);
  EXPECT_EQ(shown, kKorean);
  const auto end = static_cast<WPARAM>(shown.size());
  SendMessageW(box.edit, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(box.edit, WM_CHAR, L'x', 1);
  ASSERT_TRUE(AnswerAndSettle(box, text::kOk));
  constexpr wchar_t kTyped[] = L"http://\uD55C\uAD6D.example/\u00E9";
  ASSERT_TRUE(PressForDialog(text::kButtonCreate, &box));
  ASSERT_TRUE(TypeIntoEdit(box, std::wstring_view(kTyped)));
  ASSERT_TRUE(AnswerAndSettle(box, text::kOk));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(),
            SavedWideUrls({std::wstring(kKorean) + L"x", kPlain, kHan, kGuk, kTyped}));
}

TEST_F(HistoryValuesTest, ExitWithNoEditLeavesEveryValueAsItWas) {
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(), SavedWideUrls({kKorean, kPlain, kHan, kGuk}));
}

TEST_F(HistoryValuesTest, DeletingTheEntryAboveMovesTheValueUnchanged) {
  ASSERT_TRUE(PickEntry(1));
  ASSERT_TRUE(Press(text::kButtonDelete));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(), SavedWideUrls({kKorean, kHan, kGuk}));
}

TEST_F(HistoryValuesTest, ValuesSurviveTwoViewSwitchesAndAMove) {
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  ASSERT_TRUE(MoveEntry(0, 3));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(), SavedWideUrls({kPlain, kHan, kGuk, kKorean}));
}

TEST_F(HistoryValuesTest, EntriesThatLookAlikeKeepTheirOwnValuesWhenSwapped) {
  ASSERT_TRUE(MoveEntry(3, 2));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(), SavedWideUrls({kKorean, kPlain, kGuk, kHan}));
}

TEST_F(HistoryValuesTest, AChangedEntryIsWrittenAsTyped) {
  ASSERT_TRUE(ChangeEntry(0, "http://typed.example/"));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(), SavedWideUrls({L"http://typed.example/", kPlain, kHan, kGuk}));
}

// The start kept them in velm.ini, which turned UTF-16 for them; after a
// changed history and a restart, a restore of that backup writes each value
// back unit for unit.
TEST_F(HistoryValuesTest, ARestoredBackupGivesBackEveryValueExactly) {
  ASSERT_TRUE(ChangeEntry(0, "http://typed.example/"));
  ASSERT_TRUE(ExitAndWait());
  const auto ini = ReadFileBytes(IniPath());
  ASSERT_TRUE(ini);
  EXPECT_EQ(ini->substr(0, 2), "\xFF\xFE");
  const wchar_t* const kept[] = {kKorean, kPlain, kHan, kGuk};
  for (int n = 1; n <= 4; ++n)
    EXPECT_EQ(ProfileWideString(IniPath(), "OldUrl1", "url" + std::to_string(n)), kept[n - 1]);

  ASSERT_TRUE(Start());
  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(Preview(1));
  ASSERT_TRUE(LeaveRestore(text::kButtonRestore));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadWideHistory(), SavedWideUrls({kKorean, kPlain, kHan, kGuk}));
}

// The browser changes the history while the list is open: with no edit the
// close leaves its new order or its rewritten value as they are.
using BrowserMeanwhileTest = VelmTest;

TEST_F(BrowserMeanwhileTest, WithNoEditTheBrowsersChangeStays) {
  auto close_after = [&](std::initializer_list<std::string_view> meanwhile) {
    ASSERT_TRUE(SeedHistory({"http://a/", "http://b/", "http://c/"}));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(SeedHistory(meanwhile));
    ASSERT_TRUE(ExitAndWait());
    EXPECT_EQ(ReadHistory(), SavedUrls(meanwhile));
  };
  close_after({"http://c/", "http://a/", "http://b/"});  // c typed again
  close_after({"http://a/", "http://x/", "http://c/"});  // url2 rewritten
}

}  // namespace
}  // namespace e2e
