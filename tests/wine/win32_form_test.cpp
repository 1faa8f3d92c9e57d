// The Win32 toolkit against real controls: form frame and layout, fonts, tab
// order, the list-control contract on LISTBOX and COMBOBOX, and which
// notifications reach the form's events.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "forms/list_menu.h"
#include "forms/main_window.h"
#include "forms/restore_window.h"
#include "ui/form_layout.h"
#include "ui/layout_geometry.h"
#include "ui/win32_dpi.h"
#include "ui/win32_form.h"
#include "wine_test_util.h"

namespace velm::ui {
namespace {

using test::PumpMessages;
using test::RecordingEvents;
using test::ReportRecorder;

enum { kLabel = 300, kButtonA, kList, kCombo, kButtonB };

// Creation order differs from tab order on purpose.
const ControlLayout kControls[] = {
    {kLabel, "Label1", ControlKind::kLabel, 440, 370, 65, 16, "Ver 3.0", -1, true, 16, true},
    {kButtonA, "Button1", ControlKind::kButton, 16, 8, 73, 25, "A", 2, true, 12, false},
    {kList, "ListBox1", ControlKind::kListBox, 16, 64, 481, 305, nullptr, 0, true, 12, false},
    {kCombo, "ComboBox1", ControlKind::kComboBox, 16, 64, 481, 20, nullptr, 3, false, 12, false},
    {kButtonB, "Button2", ControlKind::kButton, 88, 8, 73, 25, "B", 1, true, 12, false},
};
const FormLayout kMainLayout = {
    "TestMain", "Velmaris", FrameKind::kMainWindow, 514, 386, 192, 107, true, 12, kControls};
const FormLayout kToolLayout = {
    "TestTool", "tool", FrameKind::kToolDialog, 416, 343, 224, 248, false, 12, {}};

RECT ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LOGFONTA FontOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

// The height of a line in the control's font, as the screen draws it.
int LineHeightOfFont(HWND control) {
  HDC screen = GetDC(nullptr);
  SelectObject(screen, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

class FormTest : public ::testing::Test {
 protected:
  FormTest() : form(kMainLayout, nullptr) { form.Bind(&events); }
  Win32Form form;
  RecordingEvents events;
};

TEST_F(FormTest, MainFrameIsFixedWithMinimizeOnlyAndTheDesignedClientArea) {
  HWND w = form.hwnd();
  LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_VISIBLE) << "created hidden; the creator shows it";
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 514);
  EXPECT_EQ(client.bottom, 386);
  EXPECT_EQ(form.window().Left(), 192);
  EXPECT_EQ(form.window().Top(), 107);
  EXPECT_EQ(form.window().Caption(), "Velmaris");
  char cls[64];
  GetClassNameA(w, cls, sizeof cls);
  EXPECT_STREQ(cls, "TTestMain");
}

TEST(ToolFrame, HasADialogFrameAndTheCloseBoxOnlyAndIsOwned) {
  Win32Form owner(kMainLayout, nullptr);
  Win32Form tool(kToolLayout, owner.hwnd());
  LONG_PTR style = GetWindowLongPtrA(tool.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongPtrA(tool.hwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(GetWindow(tool.hwnd(), GW_OWNER), owner.hwnd());
  RECT client;
  GetClientRect(tool.hwnd(), &client);
  EXPECT_EQ(client.right, 416);
  EXPECT_EQ(client.bottom, 343);
}

TEST_F(FormTest, ControlsStandAtTheTablesPlacesWithTheirFonts) {
  RECT list = ClientRectOf(GetDlgItem(form.hwnd(), kList));
  EXPECT_EQ(list.left, 16);
  EXPECT_EQ(list.top, 64);
  EXPECT_EQ(list.right - list.left, 481);
  EXPECT_EQ(list.bottom - list.top, 305) << "no integral height";
  RECT button = ClientRectOf(GetDlgItem(form.hwnd(), kButtonB));
  EXPECT_EQ(button.left, 88);
  EXPECT_EQ(button.bottom - button.top, 25);
  EXPECT_EQ(SendMessageA(GetDlgItem(form.hwnd(), kList), LB_GETITEMHEIGHT, 0, 0),
            std::max(12, LineHeightOfFont(GetDlgItem(form.hwnd(), kList))));
  RECT combo = ClientRectOf(GetDlgItem(form.hwnd(), kCombo));
  EXPECT_EQ(combo.bottom - combo.top, 20) << "closed drop-down list";

  LOGFONTA body = FontOf(GetDlgItem(form.hwnd(), kButtonA));
  EXPECT_EQ(body.lfHeight, -12);
  EXPECT_EQ(body.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_STREQ(body.lfFaceName, text::kFontName);
  EXPECT_EQ(body.lfWeight, FW_NORMAL);
  EXPECT_EQ(body.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS) << "no monospaced stand-in";
  LOGFONTA label = FontOf(GetDlgItem(form.hwnd(), kLabel));
  EXPECT_EQ(label.lfHeight, -16);
  EXPECT_EQ(label.lfWeight, FW_BOLD);
  EXPECT_TRUE(label.lfItalic);
}

TEST_F(FormTest, TheDropDownListShowsEightEntries) {
  ListControl& combo = form.List(kCombo);
  for (int i = 0; i < 20; ++i) combo.Append(std::to_string(i));
  form.window().Show();
  combo.SetVisible(true);
  SendMessageA(GetDlgItem(form.hwnd(), kCombo), CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(GetDlgItem(form.hwnd(), kCombo), &info);
  RECT list;
  GetClientRect(info.hwndList, &list);
  const auto item =
      static_cast<int>(SendMessageA(GetDlgItem(form.hwnd(), kCombo), CB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(list.bottom / item, 8);
  SendMessageA(GetDlgItem(form.hwnd(), kCombo), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(FormTest, VisibilityComesFromTheTable) {
  EXPECT_TRUE(form.List(kList).Visible());
  EXPECT_FALSE(form.List(kCombo).Visible());
  form.List(kCombo).SetVisible(true);
  form.List(kList).SetVisible(false);
  EXPECT_TRUE(form.List(kCombo).Visible());
  EXPECT_FALSE(form.List(kList).Visible());
}

TEST_F(FormTest, TabGoesThroughTheStopsInTabOrder) {
  form.List(kCombo).SetVisible(true);  // hidden controls are skipped by Tab
  std::vector<HWND> order;
  HWND at = GetNextDlgTabItem(form.hwnd(), nullptr, FALSE);
  for (int i = 0; i < 4 && at; ++i, at = GetNextDlgTabItem(form.hwnd(), at, FALSE))
    order.push_back(at);
  std::vector<HWND> expected = {GetDlgItem(form.hwnd(), kList), GetDlgItem(form.hwnd(), kButtonB),
                                GetDlgItem(form.hwnd(), kButtonA), GetDlgItem(form.hwnd(), kCombo)};
  EXPECT_EQ(order, expected);
  EXPECT_FALSE(GetWindowLongPtrA(GetDlgItem(form.hwnd(), kLabel), GWL_STYLE) & WS_TABSTOP);
}

// Labels that are no tab stops, before, between and after the stops.
const ControlLayout kInterleaved[] = {
    {1, "Label1", ControlKind::kLabel, 0, 0, 10, 10, "1", -1, true, 12, false},
    {2, "Button1", ControlKind::kButton, 0, 20, 10, 10, "b", 1, true, 12, false},
    {3, "Label2", ControlKind::kLabel, 0, 40, 10, 10, "2", -1, true, 12, false},
    {4, "Button2", ControlKind::kButton, 0, 60, 10, 10, "a", 0, true, 12, false},
    {5, "Button3", ControlKind::kButton, 0, 80, 10, 10, "c", 2, true, 12, false},
    {6, "Label3", ControlKind::kLabel, 0, 90, 10, 10, "3", -1, true, 12, false},
};

std::vector<HWND> ZOrder(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    children.push_back(c);
  return children;
}

// A label stays right before the control created after it, which a screen
// reader names after it.
TEST(ZOrder, TabStopsInTabOrderEachAfterTheLabelsBeforeIt) {
  Win32Form main(kMainLayout, nullptr);
  EXPECT_EQ(ZOrder(main.hwnd()),
            (std::vector<HWND>{GetDlgItem(main.hwnd(), kList), GetDlgItem(main.hwnd(), kButtonB),
                               GetDlgItem(main.hwnd(), kLabel), GetDlgItem(main.hwnd(), kButtonA),
                               GetDlgItem(main.hwnd(), kCombo)}));

  const FormLayout layout = {"TestZ", "z",         FrameKind::kToolDialog, 100, 100, 0, 0, false,
                             12,      kInterleaved};
  Win32Form form(layout, nullptr);
  EXPECT_EQ(ZOrder(form.hwnd()),
            (std::vector<HWND>{GetDlgItem(form.hwnd(), 3), GetDlgItem(form.hwnd(), 4),
                               GetDlgItem(form.hwnd(), 1), GetDlgItem(form.hwnd(), 2),
                               GetDlgItem(form.hwnd(), 5), GetDlgItem(form.hwnd(), 6)}));
}

// Each list of both forms follows the static that names it, hidden where the
// design shows none. Wine's oleacc names no list, neither by its label nor
// by an annotation, so the order is what can be checked here.
TEST(ZOrder, EveryListOfTheFormsFollowsTheLabelThatNamesIt) {
  Win32Form main(velm::Form1Layout(), nullptr);
  Win32Form restore(velm::Form2Layout(), nullptr);
  const std::pair<HWND, const char*> lists[] = {
      {GetDlgItem(main.hwnd(), velm::kListView), text::kHistoryListName},
      {GetDlgItem(main.hwnd(), velm::kDropDownView), text::kHistoryListName},
      {GetDlgItem(restore.hwnd(), velm::kGenerationList), text::kRestoreLabelDesign},
      {GetDlgItem(restore.hwnd(), velm::kPreviewList), text::kPreviewListName}};
  for (const auto& [list, name] : lists) {
    HWND label = GetWindow(list, GW_HWNDPREV);
    char cls[16] = "";
    GetClassNameA(label, cls, sizeof cls);
    EXPECT_STRCASEEQ(cls, "Static") << name;
    EXPECT_EQ(WindowText(label), name);
    const bool shown = GetWindowLongPtrA(label, GWL_STYLE) & WS_VISIBLE;
    EXPECT_EQ(shown, name == text::kRestoreLabelDesign) << name;
  }
}

TEST_F(FormTest, WindowGeometryIsTheOuterRectangleAndIsAppliedUnchanged) {
  Window& w = form.window();
  w.SetClientHeight(99);
  EXPECT_EQ(w.Height(), 124) << "the client area and Wine's 25-pixel frame";
  w.SetTop(-500);
  w.SetLeft(5000);
  EXPECT_EQ(w.Top(), -500);
  EXPECT_EQ(w.Left(), 5000);
  EXPECT_EQ(w.Height(), 124);
  RECT r;
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(r.top, -500);
  w.SetCaption(text::kMovingCaption);
  EXPECT_EQ(w.Caption(), text::kMovingCaption);
  w.SetEnabled(false);
  EXPECT_FALSE(w.Enabled());
  w.SetEnabled(true);
  EXPECT_TRUE(w.Enabled());
  w.Show();
  EXPECT_TRUE(w.Visible());
  w.Hide();
  EXPECT_FALSE(w.Visible());
}

// As Windows moves a window to a monitor of another dpi: it asks the form for
// its size there, then hands it the rectangle to take. Back at 96 dpi after
// two moves, nothing has drifted.
TEST_F(FormTest, ADpiChangeTakesTheSuggestedRectangleAndLaysOutFromTheDesign) {
  HWND w = form.hwnd();
  HWND list = GetDlgItem(w, kList);
  form.window().SetClientHeight(99);
  form.window().Show();
  for (const int dpi : {144, 120, 96}) {
    SCOPED_TRACE(dpi);
    SIZE size{};
    // TRUE: the size is the form's own, not the system's linear scaling.
    EXPECT_EQ(SendMessageA(w, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)), TRUE);
    const SIZE designed = OuterSize(w, {ScaleToDpi(514, dpi), ScaleToDpi(99, dpi)}, dpi);
    EXPECT_EQ(size.cx, designed.cx);
    EXPECT_EQ(size.cy, designed.cy);
    RECT suggested{dpi, 2 * dpi, dpi + size.cx, 2 * dpi + size.cy}, outer;
    SendMessageA(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(w, &outer);
    EXPECT_TRUE(EqualRect(&outer, &suggested));
    // A view switch afterwards sizes the window at the new dpi.
    form.window().SetClientHeight(50);
    EXPECT_EQ(form.window().Height(), OuterSize(w, {0, ScaleToDpi(50, dpi)}, dpi).cy);
    form.window().SetClientHeight(99);
    for (const ControlLayout& design : kControls) {
      const RECT r = ClientRectOf(GetDlgItem(w, design.id));
      EXPECT_EQ((PixelRect{r.left, r.top, r.right, r.bottom}), ControlRectAt(design, dpi))
          << design.name;
    }
    EXPECT_EQ(FontOf(GetDlgItem(w, kLabel)).lfHeight, -ScaleToDpi(16, dpi));
    EXPECT_GE(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0),
              std::max(ScaleToDpi(12, dpi), LineHeightOfFont(list)));
  }
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.bottom, 99);
}

TEST_F(FormTest, LabelTextRoundTrips) {
  form.LabelControl(kLabel).SetText(text::kRestoreLabelDesign);
  EXPECT_EQ(form.LabelControl(kLabel).Text(), text::kRestoreLabelDesign);
  EXPECT_THROW(form.LabelControl(kList), std::out_of_range);
  EXPECT_THROW(form.List(kLabel), std::out_of_range);
}

TEST_F(FormTest, ButtonsClickAndTheCloseRequestKeepsTheWindow) {
  SendMessageA(GetDlgItem(form.hwnd(), kButtonB), BM_CLICK, 0, 0);
  SendMessageA(form.hwnd(), WM_CLOSE, 0, 0);
  form.window().RequestClose();
  EXPECT_EQ(events.log, (std::vector<std::string>{"click:304", "close", "close"}));
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

TEST_F(FormTest, EnterPressesTheFocusedButtonThroughDialogKeys) {
  form.window().Show();
  SetFocus(GetDlgItem(form.hwnd(), kButtonA));
  MSG msg{GetDlgItem(form.hwnd(), kButtonA), WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
  EXPECT_TRUE(IsDialogMessageA(form.hwnd(), &msg));
  EXPECT_EQ(events.log, std::vector<std::string>{"click:301"});
  events.log.clear();
  SetFocus(GetDlgItem(form.hwnd(), kList));  // not a button: the list's own Enter
  msg.hwnd = GetDlgItem(form.hwnd(), kList);
  IsDialogMessageA(form.hwnd(), &msg);
  PumpMessages();
  EXPECT_EQ(events.log, std::vector<std::string>{"action:302:1"});
}

void ThrowInsertError() {
  throw Error(ErrorKind::kInsert, text::kInsertError);
}

TEST_F(FormTest, AnErrorInAHandlerIsReportedAndTheFormGoesOn) {
  ReportRecorder reports;
  events.throw_on_click = &ThrowInsertError;
  SendMessageA(GetDlgItem(form.hwnd(), kButtonA), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(form.hwnd(), kButtonA), BM_CLICK, 0, 0);
  EXPECT_EQ(reports.messages, (std::vector<std::string>{text::kInsertError, text::kInsertError}));
  EXPECT_EQ(events.log.size(), 2u);
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

LRESULT CALLBACK RecordSysCommand(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_SYSCOMMAND) {
    SetPropA(w, "sc", reinterpret_cast<HANDLE>(wp & 0xFFF0));
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

TEST(MainFrame, MinimizeIsHandedToTheOwner) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = RecordSysCommand;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "TestOwner";
  RegisterClassA(&cls);
  HWND owner = CreateWindowExA(0, "TestOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               cls.hInstance, nullptr);
  {
    Win32Form form(kMainLayout, owner);
    form.window().Show();
    SendMessageA(form.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(owner, "sc")),
              static_cast<UINT_PTR>(SC_MINIMIZE));
    EXPECT_FALSE(IsIconic(form.hwnd()));
  }
  RemovePropA(owner, "sc");
  DestroyWindow(owner);
}

// The list-control contract, once on the list box and once on the drop-down
// list.
class ListContract : public ::testing::TestWithParam<int> {
 protected:
  ListContract() : form(kMainLayout, nullptr), list(form.List(GetParam())) {
    form.Bind(&events);
    form.List(kCombo).SetVisible(true);
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Text(i));
    return out;
  }
  HWND Handle() { return GetDlgItem(form.hwnd(), GetParam()); }

  Win32Form form;
  RecordingEvents events;
  ListControl& list;
};

using Strings = std::vector<std::string>;

// An entry is held as exactly the text it was given, in any script, also
// with a lone surrogate.
TEST_P(ListContract, AppendInsertRemoveClearKeepTheGivenOrder) {
  const std::string exact = AnsiToUtf8(text::kButtonSwitchView) +
                            "\xED\x95\x9C\xF0\x9F\x98\x80\xC3\xA9\xC2\xA5\xED\xA0\x80";
  list.Append("c");
  list.Append("a");
  list.Insert(0, "b");
  list.Insert(3, "z");  // at Count: appends
  list.Insert(2, exact);
  EXPECT_EQ(Entries(), (Strings{"b", "c", exact, "a", "z"}));
  list.Remove(0);
  list.Remove(3);
  EXPECT_EQ(Entries(), (Strings{"c", exact, "a"}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_P(ListContract, PositionsOutsideTheControlRaiseTheIndexErrorAndChangeNothing) {
  list.Append("a");
  for (int index : {2, -1}) {
    try {
      list.Insert(index, "x");
      FAIL() << "insert at " << index;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::kIndex);
      EXPECT_EQ(e.what(), FormatText(text::kIndexError, index));
    }
  }
  EXPECT_THROW(list.Remove(1), Error);
  EXPECT_THROW(list.Remove(-1), Error);
  EXPECT_THROW(list.Text(1), Error);
  EXPECT_THROW(list.ItemData(1), Error);
  EXPECT_EQ(Entries(), Strings{"a"});
}

TEST_P(ListContract, MoveEndsAtTheTargetAndRejectsAMissingSource) {
  for (const char* s : {"0", "1", "2", "3"}) list.Append(s);
  list.Move(0, 2);
  EXPECT_EQ(Entries(), (Strings{"1", "2", "0", "3"}));
  list.Move(3, 0);
  EXPECT_EQ(Entries(), (Strings{"3", "1", "2", "0"}));
  list.Move(1, 1);
  list.Move(9, 9);  // from == to: nothing, not even the check
  try {
    list.Move(4, 0);
    FAIL() << "move from a missing position";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kIndex);
    EXPECT_EQ(e.what(), FormatText(text::kIndexError, 4));
  }
  EXPECT_EQ(Entries(), (Strings{"3", "1", "2", "0"}));
}

TEST_P(ListContract, SelectIsNeverAPick) {
  EXPECT_EQ(list.Selected(), -1);
  list.Append("a");
  list.Append("b");
  list.Select(1);
  EXPECT_EQ(list.Selected(), 1);
  list.Select(-1);
  EXPECT_EQ(list.Selected(), -1);
  list.Select(0);
  PumpMessages();
  EXPECT_TRUE(events.log.empty());
}

TEST_P(ListContract, AUsersKeyboardSelectionIsOnePick) {
  list.Append("a");
  list.Append("b");
  list.Select(0);
  form.window().Show();
  SetFocus(Handle());
  SendMessageA(Handle(), WM_KEYDOWN, VK_DOWN, 0x00500001);
  SendMessageA(Handle(), WM_KEYUP, VK_DOWN, 0xC0500001);
  PumpMessages();
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(events.log, std::vector<std::string>{"pick:" + std::to_string(GetParam())});
}

TEST_P(ListContract, ADriversSelectionChangeNotificationIsAPick) {
  list.Append("a");
  const int code = GetParam() == kList ? LBN_SELCHANGE : CBN_SELCHANGE;
  SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(GetParam(), code), 0);
  EXPECT_EQ(events.log, std::vector<std::string>{"pick:" + std::to_string(GetParam())});
}

INSTANTIATE_TEST_SUITE_P(Win32, ListContract, ::testing::Values(kList, kCombo),
                         [](const auto& info) {
                           return std::string(info.param == kList ? "ListBox" : "ComboBox");
                         });

TEST_F(FormTest, AMouseClickOnAListBoxEntryIsAPick) {
  ListControl& list = form.List(kList);
  list.Append("a");
  list.Append("b");
  form.window().Show();
  const LPARAM second_row = MAKELPARAM(20, 12 + 6);
  SendMessageA(GetDlgItem(form.hwnd(), kList), WM_LBUTTONDOWN, MK_LBUTTON, second_row);
  SendMessageA(GetDlgItem(form.hwnd(), kList), WM_LBUTTONUP, 0, second_row);
  PumpMessages();
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(events.log, std::vector<std::string>{"pick:302"});
}

// The menu as the system holds it, read while it is open: each line's text,
// after "-" when it is greyed; empty for a separator.
std::vector<std::u16string> MenuLines(HMENU menu) {
  std::vector<std::u16string> lines;
  for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    const bool greyed = text[0] && (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED);
    lines.push_back((greyed ? u"-" : u"") + std::u16string(reinterpret_cast<char16_t*>(text)));
  }
  return lines;
}

// A right click on an entry selects it, without a pick, and opens a popup
// menu of the form's items; the chosen item is the list's action.
TEST_F(FormTest, ARightClickOnAnEntrySelectsItAndOpensThePopupMenu) {
  ListControl& list = form.List(kList);
  for (const char* entry : {"a", "b", "c"}) list.Append(entry);
  form.window().Show();
  events.menu = ListMenuItems({3, 1, false, false, true});  // nothing to undo
  std::vector<std::u16string> shown;
  test::ModalScript choose(
      "#32768", {[&](HWND popup) {
        shown = MenuLines(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
        // The access key of 削除(&D).
        PostMessageW(popup, WM_CHAR, 'd', 0);
        return true;
      }});
  HWND list_box = GetDlgItem(form.hwnd(), kList);
  POINT second_row{20, 12 + 6};
  ClientToScreen(list_box, &second_row);
  SendMessageW(form.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_box),
               MAKELPARAM(second_row.x, second_row.y));
  EXPECT_TRUE(choose.finished());
  auto line = [](const char* text) { return AnsiToUtf16(text); };
  EXPECT_EQ(shown,
            (std::vector<std::u16string>{u"-" + line(text::kMenuUndo), line(text::kMenuRedo), u"",
                                         line(text::kMenuChange), line(text::kMenuDelete),
                                         line(text::kMenuCreate), u"", line(text::kMenuMoveUp),
                                         line(text::kMenuMoveDown), u"", line(text::kMenuCopy)}));
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(events.log, std::vector<std::string>{"action:302:0"}) << "削除, and no pick";

  test::ModalScript leave("#32768", {[](HWND) { return EndMenu() != FALSE; }});
  POINT below_the_entries{20, 200};  // opens the menu with no selection
  ClientToScreen(list_box, &below_the_entries);
  SendMessageW(form.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_box),
               MAKELPARAM(below_the_entries.x, below_the_entries.y));
  EXPECT_TRUE(leave.finished());
  EXPECT_EQ(list.Selected(), -1);
}

// The first line of form's client area left of list that holds anything but
// the button face: the top of the drag's arrow; -1 for none.
int MarkTop(HWND form, HWND list) {
  const RECT at = ClientRectOf(list);
  HDC dc = GetDC(form);
  int top = -1;
  for (int y = 0; y < at.bottom && top < 0; ++y)
    for (int x = 0; x < at.left && top < 0; ++x)
      if (GetPixel(dc, x, y) != GetSysColor(COLOR_BTNFACE)) top = y;
  ReleaseDC(form, dc);
  return top;
}

// A mouse message on row of list as the input queue posts it, the pointer
// being on pointer_row by then.
void PostMouse(HWND list, UINT message, int row, int pointer_row) {
  const auto item = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  POINT pointer{8, pointer_row * item + item / 2};
  ClientToScreen(list, &pointer);
  SetCursorPos(pointer.x, pointer.y);
  PostMessageW(list, message, MK_LBUTTON, MAKELPARAM(8, row * item + item / 2));
  PumpMessages();
}

// B of A, B, C dragged up over A, and down over C. The pointer is on the next
// entry when the drag begins, as after Windows' drag threshold: the source is
// still the entry pressed. The arrow stands the same distance above where
// the entry lands both ways, also after the last entry.
TEST(DragList, TheSourceIsThePressedEntryAndTheMarkStandsWhereItLands) {
  std::vector<int> arrow_to_landing;
  for (const auto& [over, lands_at] : {std::pair{0, 0}, std::pair{2, 3}}) {
    Win32Form form(kMainLayout, nullptr);
    RecordingEvents events;
    events.start_drags = true;
    form.Bind(&events);
    for (const char* entry : {"A", "B", "C"}) form.List(kList).Append(entry);
    form.window().Show();
    UpdateWindow(form.hwnd());
    HWND list = GetDlgItem(form.hwnd(), kList);
    PostMouse(list, WM_LBUTTONDOWN, 1, 2);
    PostMouse(list, WM_MOUSEMOVE, over, over);
    const int arrow = MarkTop(form.hwnd(), list);
    ASSERT_GE(arrow, 0) << over;
    const auto item = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    POINT top{0, 0};
    MapWindowPoints(list, form.hwnd(), &top, 1);
    arrow_to_landing.push_back(top.y + lands_at * item - arrow);
    PostMouse(list, WM_LBUTTONUP, over, over);
    EXPECT_EQ(events.log, (std::vector<std::string>{"drag:1", "drop:1>" + std::to_string(over),
                                                    "pick:" + std::to_string(kList)}));
  }
  EXPECT_EQ(arrow_to_landing[0], arrow_to_landing[1]);
}

}  // namespace
}  // namespace velm::ui
