// The program's own dialogs driven in-process: keys posted from a timer while
// the dialog runs its nested loop, results, layout, copying, a dpi change and
// the end by a quit message.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "core/texts.h"
#include "dialogs/dialog_copy_text.h"
#include "dialogs/win32_dialogs.h"
#include "ui/dialogs.h"
#include "ui/win32_controls.h"
#include "ui/win32_dpi.h"
#include "ui/win32_font.h"
#include "wine_test_util.h"

namespace velm {
namespace {

using test::HoldKey;
using test::ModalScript;
using test::PostKey;
using Step = ModalScript::Step;

constexpr char kDialogClass[] = "#32770";
constexpr LPARAM kAltDown = 1 << 29;

struct Seen {
  std::string window_class;
  std::string caption;
  std::vector<std::string> texts;    // STATIC controls with text
  std::vector<std::string> buttons;  // left to right
  std::vector<RECT> button_rects;    // client coordinates
  bool has_icon = false;
  bool statics_grouped_and_left = true;  // each static starts a group, text on the left
  int default_styled = 0;                // buttons drawn as the default
  RECT client{};
  RECT window{};
  HWND focus = nullptr;
  std::string focus_text;
  HWND edit = nullptr;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  auto* seen = reinterpret_cast<Seen*>(param);
  char cls[32];
  GetClassNameA(child, cls, sizeof cls);
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  if (lstrcmpiA(cls, "Button") == 0) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    auto at = seen->button_rects.begin();
    while (at != seen->button_rects.end() && at->left < r.left) ++at;
    seen->buttons.insert(seen->buttons.begin() + (at - seen->button_rects.begin()),
                         ui::WindowText(child));
    seen->button_rects.insert(at, r);
    seen->default_styled += (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  } else if (lstrcmpiA(cls, "Static") == 0) {
    seen->statics_grouped_and_left &= (style & WS_GROUP) && ((style & SS_TYPEMASK) == SS_LEFT ||
                                                             (style & SS_TYPEMASK) == SS_ICON);
    if ((style & SS_TYPEMASK) == SS_ICON)
      seen->has_icon = true;
    else
      seen->texts.push_back(ui::WindowText(child));
  } else if (lstrcmpiA(cls, "Edit") == 0) {
    seen->edit = child;
  }
  return TRUE;
}

Seen Look(HWND dialog) {
  Seen seen;
  char window_class[32] = "";
  GetClassNameA(dialog, window_class, sizeof window_class);
  seen.window_class = window_class;
  seen.caption = ui::WindowText(dialog);
  GetClientRect(dialog, &seen.client);
  GetWindowRect(dialog, &seen.window);
  seen.focus = GetFocus();
  seen.focus_text = ui::WindowText(seen.focus);
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&seen));
  return seen;
}

Step Key(UINT message, WPARAM key, LPARAM flags = 1) {
  return [=](HWND) {
    PostKey(message, key, flags);
    return true;
  };
}

Step Close() {
  return [](HWND dialog) {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return true;
  };
}

Step Record(Seen* seen) {
  return [seen](HWND dialog) {
    *seen = Look(dialog);
    return true;
  };
}

Step ClickButton(const char* caption) {
  return [caption](HWND dialog) {
    PostMessageA(FindWindowExA(dialog, nullptr, "Button", caption), BM_CLICK, 0, 0);
    return true;
  };
}

// Steps run after a key the dialog must ignore find it still open.
Step StillOpen(bool* open) {
  return [open](HWND dialog) {
    *open = IsWindowVisible(dialog) != FALSE;
    return true;
  };
}

class DialogsTest : public ::testing::Test {
 public:
  int Confirm(std::vector<Step> steps) {
    ModalScript script(kDialogClass, std::move(steps));
    int result = dialogs.Confirm(text::kExitNoSaveQuestion);
    EXPECT_TRUE(script.finished());
    return result;
  }

 protected:
  int Error(std::vector<Step> steps) {
    ModalScript script(kDialogClass, std::move(steps));
    int result = dialogs.ErrorDialog(text::kNoGenerations);
    EXPECT_TRUE(script.finished());
    return result;
  }
  std::string Input(const char* prompt, const std::string& default_text, std::vector<Step> steps) {
    ModalScript script(kDialogClass, std::move(steps));
    std::string result = dialogs.InputBox(AnsiToUtf8(text::kCreateCaption), prompt, default_text);
    EXPECT_TRUE(script.finished());
    return result;
  }

  Win32Dialogs dialogs{nullptr};
};

TEST_F(DialogsTest, ConfirmationAnswersByKeyAndButton) {
  EXPECT_EQ(Confirm({Key(WM_KEYDOWN, VK_RETURN)}), ui::kResultYes) << "Enter on Yes";
  EXPECT_EQ(Confirm({Key(WM_KEYDOWN, VK_ESCAPE)}), ui::kResultNo);
  EXPECT_EQ(Confirm({Key(WM_KEYDOWN, 'N')}), ui::kResultNo);
  EXPECT_EQ(Confirm({Key(WM_KEYDOWN, 'Y')}), ui::kResultYes);
  EXPECT_EQ(Confirm({Key(WM_SYSKEYDOWN, 'N', kAltDown)}), ui::kResultNo) << "Alt+N";
  EXPECT_EQ(Confirm({Key(WM_KEYDOWN, VK_TAB), Key(WM_KEYDOWN, VK_RETURN)}), ui::kResultNo)
      << "Enter presses the focused button";
  EXPECT_EQ(Confirm({ClickButton(text::kNo)}), ui::kResultNo);
  EXPECT_EQ(Confirm({Close()}), ui::kResultCancel) << "close box";
}

TEST_F(DialogsTest, EnterAndEscWithAModifierDoNothing) {
  bool open_after_ctrl_enter = false;
  bool open_after_shift_esc = false;
  int result = Confirm({[](HWND) {
                          HoldKey(VK_CONTROL, true);
                          PostKey(WM_KEYDOWN, VK_RETURN);
                          return true;
                        },
                        StillOpen(&open_after_ctrl_enter),
                        [](HWND) {
                          HoldKey(VK_CONTROL, false);
                          HoldKey(VK_SHIFT, true);
                          PostKey(WM_KEYDOWN, VK_ESCAPE);
                          return true;
                        },
                        StillOpen(&open_after_shift_esc),
                        [](HWND) {
                          HoldKey(VK_SHIFT, false);
                          PostKey(WM_KEYDOWN, VK_ESCAPE);
                          return true;
                        }});
  EXPECT_TRUE(open_after_ctrl_enter);
  EXPECT_TRUE(open_after_shift_esc);
  EXPECT_EQ(result, ui::kResultNo);
}

TEST_F(DialogsTest, ConfirmationLooksAsDesigned) {
  Seen seen;
  Confirm({Record(&seen), Key(WM_KEYDOWN, VK_ESCAPE)});
  EXPECT_EQ(seen.caption, text::kConfirmCaption);
  EXPECT_EQ(seen.texts, std::vector<std::string>{text::kExitNoSaveQuestion});
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{text::kYes, text::kNo}));
  EXPECT_TRUE(seen.has_icon);
  ASSERT_EQ(seen.button_rects.size(), 2u);
  const RECT& yes = seen.button_rects[0];
  const RECT& no = seen.button_rects[1];
  EXPECT_EQ(yes.right - yes.left, no.right - no.left) << "all buttons alike";
  EXPECT_EQ(yes.top, no.top);
  EXPECT_NEAR(yes.left, seen.client.right - no.right, 1) << "the row is centred";
  EXPECT_LT(yes.right, no.left);
  EXPECT_EQ(seen.focus_text, text::kYes) << "the first button has the focus";
  EXPECT_EQ(seen.default_styled, 1);
  const int screen_x = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_NEAR(seen.window.left, screen_x - seen.window.right, 1) << "centred on the screen";
}

// Windows' dialog manager never moves the focus to a static with the arrow
// keys; Wine's does unless the static starts a group.
TEST_F(DialogsTest, ArrowKeysKeepTheFocusOnTheButtons) {
  std::vector<std::string> focused;
  std::vector<Step> steps;
  for (const WPARAM key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP, VK_UP}) {
    steps.push_back(Key(WM_KEYDOWN, key));
    steps.push_back([&focused](HWND) {
      char cls[32] = "";
      GetClassNameA(GetFocus(), cls, sizeof cls);
      focused.push_back(cls);
      return true;
    });
  }
  steps.push_back(Close());
  Confirm(steps);
  Error(steps);
  EXPECT_EQ(focused, std::vector<std::string>(12, "Button"));
}

TEST_F(DialogsTest, ErrorDialogAnswersOneToEnterAndEscAndTwoToTheCloseBox) {
  EXPECT_EQ(Error({Key(WM_KEYDOWN, VK_RETURN)}), ui::kResultOk);
  EXPECT_EQ(Error({Key(WM_KEYDOWN, VK_ESCAPE)}), ui::kResultOk);
  EXPECT_EQ(Error({ClickButton(text::kOk)}), ui::kResultOk);
  EXPECT_EQ(Error({Close()}), ui::kResultCancel);
  Seen seen;
  Error({Record(&seen), Key(WM_KEYDOWN, VK_RETURN)});
  EXPECT_EQ(seen.caption, text::kErrorCaption);
  EXPECT_EQ(seen.texts, std::vector<std::string>{text::kNoGenerations});
  EXPECT_EQ(seen.buttons, std::vector<std::string>{text::kOk});
  EXPECT_TRUE(seen.has_icon);
}

TEST_F(DialogsTest, MessageBoxHasTheTitleNoIconAndOneButton) {
  Seen seen;
  {
    ModalScript script(kDialogClass, {Record(&seen), Key(WM_KEYDOWN, VK_ESCAPE)});
    dialogs.ShowMessage(text::kMovePrompt);
    EXPECT_TRUE(script.finished());
  }
  EXPECT_EQ(seen.caption, text::kAppTitle);
  EXPECT_EQ(seen.texts, std::vector<std::string>{text::kMovePrompt});
  EXPECT_EQ(seen.buttons, std::vector<std::string>{text::kOk});
  EXPECT_FALSE(seen.has_icon);
}

// A screen reader announces a dialog's message only for a system dialog
// holding it in a static control. The dialog role it reads on Windows comes
// with the class; Wine's oleacc cannot show it, as it answers
// ROLE_SYSTEM_CLIENT for the client area of every window, dialog or not.
TEST_F(DialogsTest, EveryDialogIsASystemDialogWithItsMessageInAStatic) {
  Seen input, error, confirmation, plain;
  Input(text::kChangePrompt, "", {Record(&input), Key(WM_KEYDOWN, VK_ESCAPE)});
  Error({Record(&error), Key(WM_KEYDOWN, VK_ESCAPE)});
  Confirm({Record(&confirmation), Key(WM_KEYDOWN, VK_ESCAPE)});
  {
    ModalScript script(kDialogClass, {Record(&plain), Key(WM_KEYDOWN, VK_ESCAPE)});
    dialogs.ShowMessage(text::kMovePrompt);
  }
  const std::pair<const Seen*, const char*> cases[] = {{&input, text::kChangePrompt},
                                                       {&error, text::kNoGenerations},
                                                       {&confirmation, text::kExitNoSaveQuestion},
                                                       {&plain, text::kMovePrompt}};
  for (const auto& [seen, message] : cases) {
    SCOPED_TRACE(message);
    EXPECT_EQ(seen->window_class, "#32770");
    EXPECT_TRUE(seen->statics_grouped_and_left);
    EXPECT_EQ(seen->texts, std::vector<std::string>{message});
  }
}

// A dialog's geometry: its window on the screen, its controls in their
// client coordinates, in creation order, and the character height of their
// font.
struct Face {
  RECT window{};
  std::vector<RECT> controls;
  LONG font_height = 0;
  LONG icon_width = 0, icon_height = 0;  // the image the icon static shows
};

Face FaceOf(HWND dialog) {
  Face face;
  GetWindowRect(dialog, &face.window);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    face.controls.push_back(r);
    LOGFONTA font{};
    if (GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof font,
                   &font))
      face.font_height = font.lfHeight;
    ICONINFO icon{};
    if (GetIconInfo(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)), &icon)) {
      BITMAP mask{};
      GetObjectA(icon.hbmMask, sizeof mask, &mask);
      face.icon_width = mask.bmWidth;
      face.icon_height = icon.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
      DeleteObject(icon.hbmMask);
      DeleteObject(icon.hbmColor);
    }
  }
  return face;
}

bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

// Moved to a monitor of 144 dpi and back, as the system tells a window:
// first the size to suggest, then the change with the suggested rectangle.
struct DpiRoundTrip {
  Face at_96, at_144, back_at_96;
  RECT suggested{};
  LRESULT size_answer = FALSE;
};

Step ChangeDpiAndBack(DpiRoundTrip* trip) {
  return [trip](HWND dialog) {
    trip->at_96 = FaceOf(dialog);
    SIZE size{};
    trip->size_answer =
        SendMessageA(dialog, WM_GETDPISCALEDSIZE, 144, reinterpret_cast<LPARAM>(&size));
    trip->suggested = {40, 30, 40 + size.cx, 30 + size.cy};
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&trip->suggested));
    trip->at_144 = FaceOf(dialog);
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&trip->at_96.window));
    trip->back_at_96 = FaceOf(dialog);
    return true;
  };
}

// At 144 dpi a size is about one and a half times its 96-dpi one: the
// dialog units follow whole pixels of the font's average letter width and
// height. A place may stray further, as a centred row does.
void ExpectAboutOneAndAHalfTimes(int at_144, int at_96, double spread) {
  EXPECT_NEAR(at_144, at_96 * 1.5, at_96 * spread + 1);
}

int Width(const RECT& r) {
  return r.right - r.left;
}

int Height(const RECT& r) {
  return r.bottom - r.top;
}

// Laid out at 144 dpi in the suggested rectangle, with the font one and a
// half times as tall; back at 96 everything is as it was.
void ExpectScaledAndRestored(const DpiRoundTrip& trip) {
  EXPECT_EQ(trip.size_answer, TRUE) << "the dialog's own size, not the system's scaling";
  EXPECT_TRUE(trip.at_144.window == trip.suggested) << "moved and sized to the suggestion";
  ExpectAboutOneAndAHalfTimes(Width(trip.suggested), Width(trip.at_96.window), 0.1);
  ExpectAboutOneAndAHalfTimes(Height(trip.suggested), Height(trip.at_96.window), 0.1);
  EXPECT_NEAR(trip.at_144.font_height, trip.at_96.font_height * 1.5, 1);
  ASSERT_EQ(trip.at_144.controls.size(), trip.at_96.controls.size());
  for (std::size_t i = 0; i < trip.at_96.controls.size(); ++i) {
    SCOPED_TRACE(i);
    const RECT& small = trip.at_96.controls[i];
    const RECT& large = trip.at_144.controls[i];
    ExpectAboutOneAndAHalfTimes(large.left, small.left, 0.25);
    ExpectAboutOneAndAHalfTimes(large.top, small.top, 0.25);
    ExpectAboutOneAndAHalfTimes(Width(large), Width(small), 0.1);
    ExpectAboutOneAndAHalfTimes(Height(large), Height(small), 0.1);
    EXPECT_TRUE(trip.back_at_96.controls[i] == small) << "laid out from the design again";
  }
  EXPECT_TRUE(trip.back_at_96.window == trip.at_96.window);
  EXPECT_EQ(trip.back_at_96.font_height, trip.at_96.font_height);
}

TEST_F(DialogsTest, ADpiChangeLaysTheDialogOutAfreshInTheSuggestedRectangle) {
  DpiRoundTrip input;
  Input(text::kCreatePrompt, "", {ChangeDpiAndBack(&input), Key(WM_KEYDOWN, VK_ESCAPE)});
  {
    SCOPED_TRACE("input box");
    ExpectScaledAndRestored(input);
    // The edit field: the font's height and eight borders, each scaled.
    EXPECT_NEAR(Height(input.at_144.controls[1]), Height(input.at_96.controls[1]) * 1.5, 1);
  }
  DpiRoundTrip wrapped;
  {
    SCOPED_TRACE("wrapped message");
    std::string words;
    while (words.size() < 600) words += "word ";
    ModalScript script(kDialogClass, {ChangeDpiAndBack(&wrapped), Key(WM_KEYDOWN, VK_ESCAPE)});
    dialogs.ShowMessage(words);
    ASSERT_FALSE(wrapped.at_96.controls.empty());
    // Wrapped at half the screen's width, which is half as wide again at 144.
    EXPECT_GT(Height(wrapped.at_96.controls[0]), 2 * std::abs(wrapped.at_96.font_height));
    ExpectScaledAndRestored(wrapped);
  }
  DpiRoundTrip confirmation;
  Confirm({ChangeDpiAndBack(&confirmation), Key(WM_KEYDOWN, VK_ESCAPE)});
  SCOPED_TRACE("confirmation");
  ExpectScaledAndRestored(confirmation);
  // Made for each dpi, not stretched from the primary monitor's size.
  EXPECT_EQ(confirmation.at_144.icon_width, 48);
  EXPECT_EQ(confirmation.at_144.icon_height, 48);
  EXPECT_EQ(confirmation.back_at_96.icon_width, 32);
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<cannot open>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST_F(DialogsTest, CtrlCCopiesTheSevenLinesAndTheDialogStays) {
  bool open = false;
  int result = Confirm({[](HWND) {
                          HoldKey(VK_CONTROL, true);
                          PostKey(WM_KEYDOWN, 'C');
                          return true;
                        },
                        StillOpen(&open),
                        [](HWND) {
                          HoldKey(VK_CONTROL, false);
                          PostKey(WM_KEYDOWN, VK_RETURN);
                          return true;
                        }});
  EXPECT_TRUE(open);
  EXPECT_EQ(result, ui::kResultYes);
  const std::string_view buttons[] = {text::kYes, text::kNo};
  EXPECT_EQ(ClipboardText(),
            ui::DialogCopyText(text::kConfirmCaption, text::kExitNoSaveQuestion, buttons));
}

// Another thread, with a window of its own, takes the clipboard just before
// Ctrl+C and holds it for hold_ms; the dialog then answers Esc. Gives the
// reports the copy made.
std::vector<std::string> CopyWhileClipboardHeld(DialogsTest& fixture, DWORD hold_ms) {
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HWND owner = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    WaitForSingleObject(go, 10000);
    const bool held = OpenClipboard(owner) != FALSE;
    SetEvent(opened);
    if (held) {
      Sleep(hold_ms);
      CloseClipboard();
    }
    DestroyWindow(owner);
  });
  test::ReportRecorder reports;
  const int result = fixture.Confirm({[&](HWND) {
                                        SetEvent(go);
                                        WaitForSingleObject(opened, 10000);
                                        HoldKey(VK_CONTROL, true);
                                        PostKey(WM_KEYDOWN, 'C');
                                        return true;
                                      },
                                      [](HWND) {
                                        HoldKey(VK_CONTROL, false);
                                        PostKey(WM_KEYDOWN, VK_ESCAPE);
                                        return true;
                                      }});
  SetEvent(go);
  holder.join();
  CloseHandle(go);
  CloseHandle(opened);
  EXPECT_EQ(result, ui::kResultNo);
  return reports.messages;
}

TEST_F(DialogsTest, ACopyWaitsOutABrieflyHeldClipboardAndReportsOneThatStaysHeld) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(CopyWhileClipboardHeld(*this, 250), std::vector<std::string>{});
  const std::string_view buttons[] = {text::kYes, text::kNo};
  EXPECT_EQ(ClipboardText(),
            ui::DialogCopyText(text::kConfirmCaption, text::kExitNoSaveQuestion, buttons));

  EXPECT_EQ(CopyWhileClipboardHeld(*this, 3000), std::vector<std::string>{text::kClipboardError});
}

Step PostQuit() {
  return [](HWND) {
    PostQuitMessage(7);
    return true;
  };
}

bool QuitWaiting(WPARAM* code) {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
  *code = msg.wParam;
  return true;
}

TEST_F(DialogsTest, AQuitMessageEndsADialogAsCancelledAndIsPostedAgain) {
  WPARAM code = 0;
  EXPECT_EQ(Confirm({PostQuit()}), ui::kResultCancel);
  EXPECT_TRUE(QuitWaiting(&code));
  EXPECT_EQ(code, 7u);
  EXPECT_EQ(Input(text::kChangePrompt, "keep", {Key(WM_CHAR, 'x'), PostQuit()}), "keep");
  EXPECT_TRUE(QuitWaiting(&code));
  // No EndDialog ran to enable the owner: the program's next window would
  // find it disabled.
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, nullptr, nullptr);
  {
    ModalScript script(kDialogClass, {PostQuit()});
    Win32Dialogs(owner).ShowMessage(text::kMovePrompt);
  }
  EXPECT_TRUE(QuitWaiting(&code));
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(DialogsTest, OtherWindowsAreDisabledWhileADialogIsOpen) {
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, nullptr, nullptr);
  bool enabled_during = true;
  Confirm({[&](HWND) {
             enabled_during = IsWindowEnabled(other) != FALSE;
             return true;
           },
           Key(WM_KEYDOWN, VK_ESCAPE)});
  EXPECT_FALSE(enabled_during);
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(GetActiveWindow(), other) << "the window active before is active again";
  DestroyWindow(other);
}

Step SetEditText(const char* text) {
  return [text](HWND dialog) {
    SetWindowTextA(FindWindowExA(dialog, nullptr, "Edit", nullptr), text);
    return true;
  };
}

TEST_F(DialogsTest, InputBoxReturnsTheEditOnOkAndTheDefaultOtherwise) {
  EXPECT_EQ(Input(text::kChangePrompt, "old", {SetEditText("new"), Key(WM_KEYDOWN, VK_RETURN)}),
            "new")
      << "Enter in the edit field is OK";
  EXPECT_EQ(Input(text::kChangePrompt, "old", {SetEditText(""), ClickButton(text::kOk)}), "");
  EXPECT_EQ(Input(text::kChangePrompt, "old", {SetEditText(" a "), ClickButton(text::kOk)}), " a ")
      << "not trimmed";
  EXPECT_EQ(Input(text::kChangePrompt, "old", {SetEditText("new"), Key(WM_KEYDOWN, VK_ESCAPE)}),
            "old");
  EXPECT_EQ(Input(text::kChangePrompt, "old", {SetEditText("new"), ClickButton(text::kCancel)}),
            "old");
  EXPECT_EQ(Input(text::kChangePrompt, "old", {SetEditText("new"), Close()}), "old");
}

TEST_F(DialogsTest, InputBoxOpensWithTheWholeDefaultSelectedInTheFocusedEdit) {
  Seen seen;
  DWORD start = 1, end = 0;
  LRESULT limit = 0;
  Input(text::kChangePrompt, "http://a/",
        {Record(&seen),
         [&](HWND dialog) {
           HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
           SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
           limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
           return true;
         },
         Key(WM_KEYDOWN, VK_ESCAPE)});
  EXPECT_EQ(seen.caption, text::kCreateCaption);
  EXPECT_EQ(seen.focus, seen.edit);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 9u);
  EXPECT_EQ(limit, 2047);
  EXPECT_EQ(seen.texts, std::vector<std::string>{text::kChangePrompt});
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{text::kOk, text::kCancel}));
}

TEST_F(DialogsTest, ALongDefaultIsShownWholeAndCannotGrowByTyping) {
  const std::string long_text(2100, 'u');
  std::string shown;
  std::string after_typing = Input(text::kChangePrompt, long_text,
                                   {[&](HWND dialog) {
                                      HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
                                      shown = ui::WindowText(edit);
                                      SendMessageA(edit, EM_SETSEL, 2100, 2100);
                                      return true;
                                    },
                                    Key(WM_CHAR, 'x'), Key(WM_KEYDOWN, VK_RETURN)});
  EXPECT_EQ(shown, long_text);
  EXPECT_EQ(after_typing, long_text);
}

// Whether this thread shows a balloon tip or a second dialog: the field
// saying it is full.
bool SaysFull() {
  bool said = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) {
        char cls[32] = "";
        GetClassNameA(window, cls, sizeof cls);
        if (IsWindowVisible(window) && lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
          *reinterpret_cast<bool*>(param) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&said));
  return said;
}

// The field stops where a backup would cut the value, and says so rather
// than cutting it silently. (Any script shown and kept: end to end.)
TEST_F(DialogsTest, TheFieldTakesUpToWhatABackupKeeps) {
  // 1,023 times 表 is 2,046 bytes of the code page: one more byte fits.
  std::string full;
  for (int i = 0; i < 1023; ++i) full += "\xE8\xA1\xA8";
  const auto at_end = [](HWND dialog) {
    SendMessageW(FindWindowExA(dialog, nullptr, "Edit", nullptr), EM_SETSEL, 5000, 5000);
    return true;
  };
  bool said = false;
  EXPECT_EQ(Input(text::kChangePrompt, full,
                  {at_end, Key(WM_CHAR, 'x'), Key(WM_CHAR, 'y'),
                   [&](HWND) { return (said = SaysFull()); }, Key(WM_KEYDOWN, VK_RETURN)}),
            full + "x");
  EXPECT_TRUE(said);
}

TEST_F(DialogsTest, TheTwoLinePromptMakesTheInputBoxOneLineTaller) {
  Seen one_line, two_lines;
  Input(text::kChangePrompt, "", {Record(&one_line), Key(WM_KEYDOWN, VK_ESCAPE)});
  Input(text::kCreatePrompt, "", {Record(&two_lines), Key(WM_KEYDOWN, VK_ESCAPE)});
  // One line of the 9-point font the input box uses.
  HDC dc = GetDC(nullptr);
  UniqueFont font = ui::CreateFormFont(MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), false);
  HGDIOBJ previous = SelectObject(dc, font.get());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(two_lines.client.bottom - one_line.client.bottom, metrics.tmHeight);
  EXPECT_EQ(two_lines.client.right, one_line.client.right) << "the width stays";
  EXPECT_EQ(two_lines.texts, std::vector<std::string>{text::kCreatePrompt});
}

}  // namespace
}  // namespace velm
