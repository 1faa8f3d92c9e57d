#include <gtest/gtest.h>

#include "dialogs/dialog_layout.h"

namespace velm::ui {
namespace {

void ExpectRect(const Rect& r, int left, int top, int width, int height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.width, width);
  EXPECT_EQ(r.height, height);
}

TEST(DialogUnits, AverageTheLettersAndRoundToTheNearestPixel) {
  DialogUnits units = DialogUnits::FromLetters(6 * 52 + 51, 12, 96);
  EXPECT_EQ(units.x, 6);  // integer division of the 52 letters' extent
  EXPECT_EQ(units.Horz(8), 12);
  EXPECT_EQ(units.Vert(14), 21);
  DialogUnits odd{5, 13};
  EXPECT_EQ(odd.Horz(50), 63);  // 62.5
  EXPECT_EQ(odd.Horz(9), 11);   // 11.25
  EXPECT_EQ(odd.Vert(14), 23);  // 22.75
  EXPECT_EQ(odd.Vert(8), 13);
}

TEST(InputBoxLayout, StacksPromptEditAndButtons) {
  InputBoxLayout box = LayoutInputBox({6, 12}, {177, 12}, 20);
  ExpectRect(box.prompt, 12, 12, 177, 12);
  ExpectRect(box.edit, 12, 29, 246, 20);  // 5 px under the prompt, 164 units wide
  ExpectRect(box.ok, 57, 64, 75, 21);     // 15 px under the edit field
  ExpectRect(box.cancel, 138, 64, 75, 21);
  EXPECT_EQ(box.client.width, 270);
  EXPECT_EQ(box.client.height, 98);  // 13 px under the buttons
  EXPECT_EQ(InputBoxPromptWrapWidth({6, 12}), 246);
}

TEST(InputBoxLayout, GrowsByEachLineOfThePrompt) {
  InputBoxLayout one = LayoutInputBox({6, 12}, {177, 12}, 20);
  InputBoxLayout two = LayoutInputBox({6, 12}, {216, 24}, 20);
  EXPECT_EQ(two.client.height - one.client.height, 12);
  EXPECT_EQ(two.client.width, one.client.width);
  EXPECT_EQ(two.edit.top - one.edit.top, 12);
}

TEST(MessageDialogLayout, PutsTheTextBesideTheIconAndCentresTheButtons) {
  MessageDialogLayout d = LayoutMessageDialog({6, 12}, {200, 12}, true, 2, 40);
  ExpectRect(d.icon, 12, 12, 32, 32);
  ExpectRect(d.text, 59, 12, 200, 12);  // 10 units right of the icon
  ASSERT_EQ(d.buttons.size(), 2u);
  ExpectRect(d.buttons[0], 57, 59, 75, 21);  // 10 units under the icon, the taller
  ExpectRect(d.buttons[1], 138, 59, 75, 21);
  EXPECT_EQ(d.client.width, 271);
  EXPECT_EQ(d.client.height, 92);
}

TEST(MessageDialogLayout, WithoutIconTheTextStartsAtTheMargin) {
  MessageDialogLayout d = LayoutMessageDialog({6, 12}, {100, 36}, false, 1, 12);
  EXPECT_EQ(d.icon.width, 0);
  ExpectRect(d.text, 12, 12, 100, 36);
  ASSERT_EQ(d.buttons.size(), 1u);
  ExpectRect(d.buttons[0], 24, 63, 75, 21);
  EXPECT_EQ(d.client.width, 124);
  EXPECT_EQ(d.client.height, 96);
}

TEST(MessageDialogLayout, WideCaptionsWidenEveryButtonAndTheRow) {
  MessageDialogLayout d = LayoutMessageDialog({6, 12}, {20, 12}, false, 2, 90);
  ASSERT_EQ(d.buttons.size(), 2u);
  EXPECT_EQ(d.buttons[0].width, 98);
  EXPECT_EQ(d.buttons[1].width, 98);
  EXPECT_EQ(d.client.width, 98 * 2 + 6 + 24);
  EXPECT_EQ(d.buttons[0].left, 12);
  EXPECT_EQ(d.text.left, 12);  // the text block is not centred
}

TEST(MessageDialogLayout, IconAndCaptionPaddingFollowTheDpi) {
  MessageDialogLayout d = LayoutMessageDialog({9, 18, 144}, {20, 18}, true, 1, 150);
  ExpectRect(d.icon, 18, 18, 48, 48);
  EXPECT_EQ(d.buttons[0].width, 162);
}

TEST(DialogPlacement, CentresInTheWorkAreaOfTheOwnersMonitor) {
  // Primary 1920 x 1080 with a 40-pixel taskbar at the bottom.
  ExpectRect(CentredIn({0, 0, 1920, 1040}, {300, 101}), 810, 469, 300, 101);
  // A second monitor left of the primary, and one above it.
  ExpectRect(CentredIn({-1280, 0, 1280, 984}, {300, 100}), -790, 442, 300, 100);
  ExpectRect(CentredIn({0, -1200, 1600, 1200}, {300, 100}), 650, -650, 300, 100);
}

TEST(DialogPlacement, ADialogLargerThanTheWorkAreaKeepsItsTitleBarInside) {
  ExpectRect(CentredIn({-1280, 100, 1280, 600}, {1500, 700}), -1280, 100, 1500, 700);
  ExpectRect(CentredIn({0, 0, 800, 600}, {500, 900}), 150, 0, 500, 900);
}

}  // namespace
}  // namespace velm::ui
