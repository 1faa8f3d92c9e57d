#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/report_text.h"
#include "core/texts.h"
#include "dialogs/dialog_copy_text.h"

namespace velm {
namespace {

TEST(WithFullStop, AppendsAfterCharactersThatSortAfterTheFullStop) {
  EXPECT_EQ(WithFullStop(text::kInsertError), std::string(text::kInsertError) + ".");
  EXPECT_EQ(WithFullStop(FormatText(text::kSettingsWriteError, "D:\\tools\\velm.ini")),
            FormatText(text::kSettingsWriteError, "D:\\tools\\velm.ini") + ".");
  EXPECT_EQ(WithFullStop("abc"), "abc.");
  EXPECT_EQ(WithFullStop("a/"), "a/.");  // 0x2F: the first byte after "."
  // A double-byte character counts by its lead byte, whatever its trail byte.
  EXPECT_EQ(WithFullStop("\x81\x40"), "\x81\x40.");
  EXPECT_EQ(WithFullStop("x\x95\x5C"), "x\x95\x5C.");
}

TEST(WithFullStop, LeavesTextsEndingAtOrBelowTheFullStop) {
  const std::string index_error = FormatText(text::kIndexError, 4);
  EXPECT_EQ(WithFullStop(index_error), index_error);  // ends in ")"
  EXPECT_EQ(WithFullStop("done."), "done.");
  EXPECT_EQ(WithFullStop("stop!"), "stop!");
  EXPECT_EQ(WithFullStop("gap "), "gap ");
  EXPECT_EQ(WithFullStop("a-"), "a-");  // 0x2D
  EXPECT_EQ(WithFullStop(""), "");
}

TEST(StartupFailureText, FillsTheMarkersInOrderAndEndsWithTheMessage) {
  std::string text = StartupFailureText("EWin%s", "velm.exe", 0x1A2B3, "cannot");
  EXPECT_EQ(text.find('%'), 4u) << "only the type name's own marker may stay";
  std::size_t type = text.find("EWin%s");
  std::size_t module = text.find(" velm.exe ");
  std::size_t offset = text.find(" 0001A2B3 ");
  ASSERT_NE(module, std::string::npos);
  ASSERT_NE(offset, std::string::npos);
  EXPECT_EQ(type, 0u);
  EXPECT_LT(module, offset);
  EXPECT_TRUE(text.ends_with("\ncannot.")) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST(StartupFailureText, AddsNoSecondFullStop) {
  EXPECT_TRUE(StartupFailureText("E", "m.exe", 0, "done.").ends_with("\ndone."));
  EXPECT_NE(StartupFailureText("E", "m.exe", 0xFFFFFFFF, "x").find(" FFFFFFFF "),
            std::string::npos);
  // Unlike the error report, ")" gets its "." here.
  EXPECT_TRUE(StartupFailureText("E", "m.exe", 0, "(4)").ends_with("\n(4)."));
}

TEST(DialogCopyText, IsSevenLinesWithTheButtonsWithoutAccessMarks) {
  const std::string_view buttons[] = {text::kYes, text::kNo};
  const std::string rule = std::string(27, '-') + "\r\n";
  // はい(Y), three spaces, いいえ(N), three spaces.
  const std::string button_line = "\x82\xCD\x82\xA2(Y)   \x82\xA2\x82\xA2\x82\xA6(N)   \r\n";
  EXPECT_EQ(ui::DialogCopyText(text::kConfirmCaption, text::kExitNoSaveQuestion, buttons),
            rule + text::kConfirmCaption + "\r\n" + rule + text::kExitNoSaveQuestion + "\r\n" +
                rule + button_line + rule);
}

TEST(DialogCopyText, KeepsTheMessageAsItIs) {
  const std::string_view ok[] = {text::kOk};
  std::string text = ui::DialogCopyText("Velmaris", "a&b\r\nc", ok);
  EXPECT_NE(text.find("\r\na&b\r\nc\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nOK   \r\n"), std::string::npos);
}

}  // namespace
}  // namespace velm
