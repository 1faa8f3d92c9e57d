#include "ui/win32_form.h"

#include <commctrl.h>

#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/ansi_text.h"
#include "ui/insert_mark.h"
#include "ui/layout_geometry.h"
#include "ui/win32_command_keys.h"
#include "ui/win32_dpi.h"
#include "ui/win32_shortcut_menu.h"

namespace velm::ui {

namespace {

constexpr int kItemHeight = 12;
constexpr int kDroppedDownItems = 8;

struct Frame {
  DWORD style, ex_style;
};

// Sent to the form by a list control for a key of a ListAction; wparam: the
// control's id, lparam: the action.
constexpr UINT kActionInList = WM_APP + 1;
// Posted to itself once shown: the lists measure their entries.
constexpr UINT kMeasureLists = WM_APP + 2;

// Enter opens the entry of a list, of a drop-down list only while it is
// closed: dropped, Enter picks. The other keys of the list's commands are
// the form's key table's (ui/win32_command_keys.h); Enter is not, since on
// a button it presses the button.
bool DroppedDown(HWND list) {
  wchar_t kind[16] = {};
  GetClassNameW(list, kind, 16);
  return lstrcmpiW(kind, L"ComboBox") == 0 && SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

bool OpensEntry(HWND list, WPARAM key) {
  return key == VK_RETURN && !DroppedDown(list);
}

// The point of the mouse message being handled: a notification that comes
// from it may be handled when the cursor is already further on.
POINT MessagePoint() {
  const DWORD at = GetMessagePos();
  return {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
}

// Where a menu opened from the keyboard goes: under the selected entry of a
// list box when it shows, else at the list's top; under a drop-down list.
POINT KeyboardMenuPoint(HWND list, bool list_box) {
  RECT place{};
  GetClientRect(list, &place);
  if (!list_box) {
    place.top = place.bottom;
  } else if (const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0); selected >= 0) {
    RECT entry{};
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(&entry)) != LB_ERR &&
        entry.bottom > place.top && entry.bottom <= place.bottom)
      place.top = entry.bottom;
  }
  POINT point{place.left, place.top};
  ClientToScreen(list, &point);
  return point;
}

Frame FrameFor(FrameKind kind) {
  if (kind == FrameKind::kMainWindow)  // single fixed border, minimize, no maximize
    return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0};
  return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME};
}

}  // namespace

// The window is created at the screen's dpi, which is its own unless it
// opens on a monitor of another; then it is sized again before it shows.
Win32Form::Win32Form(const FormLayout& layout, HWND owner)
    : layout_(layout), class_name_(std::string("T") + layout.name) {
  // The themed classes that the manifest asks for come with comctl32 6;
  // systems load it on demand, this makes sure before the first control.
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  const Frame frame = FrameFor(layout.frame);
  const int screen_dpi = ScreenDpi();
  RECT outer{0, 0, ScaleToDpi(layout.client_width, screen_dpi),
             ScaleToDpi(layout.client_height, screen_dpi)};
  AdjustWindowRectEx(&outer, frame.style, FALSE, frame.ex_style);

  WNDCLASSEXA cls{};
  cls.lpszClassName = class_name_.c_str();
  cls.style = CS_DBLCLKS;
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (layout.frame == FrameKind::kMainWindow)
    cls.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  CreateOfClass(cls, frame.ex_style, layout.caption, frame.style, layout.left, layout.top,
                outer.right - outer.left, outer.bottom - outer.top, owner);
  window_ = std::make_unique<Win32Window>(hwnd(), SIZE{layout.client_width, layout.client_height},
                                          screen_dpi);
  dpi_ = WindowDpi(hwnd());
  if (dpi_ != screen_dpi) window_->ScaleTo(dpi_);

  for (const ControlLayout& control : layout.controls) {
    HWND child = CreateControl(control);
    children_.push_back({&control, child});
    if (control.kind == ControlKind::kListBox)
      lists_[control.id] = std::make_unique<Win32ListControl>(
          child, Win32ListControl::Kind::kListBox, control.scrolls_sideways);
    else if (control.kind == ControlKind::kComboBox)
      lists_[control.id] = std::make_unique<Win32ListControl>(
          child, Win32ListControl::Kind::kComboBox, control.scrolls_sideways);
    else if (control.kind == ControlKind::kLabel)
      labels_[control.id] = std::make_unique<Win32Label>(child);
  }
  ApplyTabOrder();
}

Win32Form::~Win32Form() {
  DestroyNow();  // before the fonts go
}

HFONT Win32Form::FontFor(int char_height, bool bold_italic) {
  const std::pair key{char_height, bold_italic};
  for (auto& [font_key, font] : fonts_)
    if (font_key == key) return font.get();
  UniqueFont font = CreateFormFont(char_height, bold_italic);
  if (!font) ThrowWindowCreationError();
  fonts_.emplace_back(key, std::move(font));
  return fonts_.back().second.get();
}

// WS_CLIPSIBLINGS: the two rows of buttons overlap by a pixel, and a themed
// button repaints its whole rectangle.
HWND Win32Form::CreateControl(const ControlLayout& control) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0) |
                (control.tab_order >= 0 ? WS_TABSTOP : 0);
  DWORD ex_style = 0;
  const wchar_t* cls = L"BUTTON";
  switch (control.kind) {
    case ControlKind::kButton:
      style |= BS_PUSHBUTTON;
      break;
    case ControlKind::kLabel:  // one line, fixed size
      cls = L"STATIC";
      style |= SS_LEFTNOWORDWRAP;
      break;
    case ControlKind::kListBox:
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kComboBox:
      cls = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      break;
  }
  // A list box shows the bar as soon as its extent passes its width; a
  // drop-down list's dropped list scrolls sideways to long entries.
  if (control.scrolls_sideways) style |= WS_HSCROLL;
  const PixelRect place = ControlRectAt(control, dpi_);
  // Unicode windows: a control made by the ANSI function is an ANSI window,
  // whose text the system passes through the code page, so an entry would
  // lose what the code page lacks.
  const std::u16string caption = AnsiToUtf16(control.caption ? control.caption : "");
  HWND child =
      CreateWindowExW(ex_style, cls, reinterpret_cast<const wchar_t*>(caption.c_str()), style,
                      place.left, place.top, place.right - place.left, place.bottom - place.top,
                      hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                      GetModuleHandleW(nullptr), nullptr);
  if (!child) ThrowWindowCreationError();
  // Entries are dragged to their place with the system's drag list, whose
  // notifications come to the form; the form says whether one may start.
  if (control.kind == ControlKind::kListBox) MakeDragList(child);
  // After the drag list: the last subclass sees a message first, so the
  // button press is taken before the drag list acts on it.
  if (control.kind == ControlKind::kListBox || control.kind == ControlKind::kComboBox)
    SetWindowSubclass(child, &Win32Form::ListInput, 0, reinterpret_cast<DWORD_PTR>(this));
  FitToDpi(child, control, false);
  return child;
}

void Win32Form::FitToDpi(HWND child, const ControlLayout& control, bool redraw) {
  // The font first: a combo box measures its items anew when it gets one.
  const HFONT font = FontFor(Scaled(control.font_height), control.bold_italic);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  // Items no lower than a line of the font, which a stand-in face can make
  // taller than the design's.
  const int item_height = std::max(Scaled(kItemHeight), LineHeightOf(font));
  if (control.kind == ControlKind::kListBox) SendMessageA(child, LB_SETITEMHEIGHT, 0, item_height);
  if (control.kind == ControlKind::kComboBox) FitComboBox(child, control, item_height);
}

// The window moved to a monitor of another dpi and already has the size the
// system suggested: every control and font again from the design, never
// from the pixels of the previous dpi. The fonts of the old dpi go once no
// control holds them any more.
void Win32Form::LayOutAt(int dpi) {
  dpi_ = dpi;
  const auto old_fonts = std::move(fonts_);
  fonts_.clear();
  for (const Child& child : children_) {
    const ControlLayout& control = *child.control;
    const PixelRect place = ControlRectAt(control, dpi_);
    SetWindowPos(child.hwnd, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitToDpi(child.hwnd, control, true);
    if (const auto list = lists_.find(control.id); list != lists_.end())
      list->second->FontChanged();
  }
  // Invalidating the form alone leaves the children as they were painted.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// One move and size to the suggested rectangle, so the window never shows
// at the new size in the old place, then the layout at the new dpi.
void Win32Form::MoveToDpi(int dpi, const RECT& suggested) {
  window_->TakeDpi(dpi);
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutAt(dpi);
}

// The closed drop-down list gets the table's height by sizing its selection
// field; the window height given to a combo box is that of the dropped-down
// state, made room for eight entries and a border of up to 2 pixels (the
// list has an integral height, so a thicker border would cost an entry). Wine keeps the font's item
// height (it sets item heights of owner-drawn combo boxes only), so the dropped height is measured
// rather than assumed.
void Win32Form::FitComboBox(HWND combo, const ControlLayout& control, int item_height) {
  const int height = Scaled(control.height);
  SendMessageA(combo, CB_SETITEMHEIGHT, 0, item_height);
  // The themed drop-down list sizes itself by this count, not by the
  // window's height.
  SendMessageA(combo, CB_SETMINVISIBLE, kDroppedDownItems, 0);
  const auto item = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(combo, nullptr, 0, 0, Scaled(control.width),
               height + kDroppedDownItems * item + Scaled(4),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Platforms differ in what the field height they report and take counts
  // (Wine adds 2 to what it is given); correct by what shows.
  auto field = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT closed{};
    GetWindowRect(combo, &closed);
    const int excess = static_cast<int>(closed.bottom - closed.top) - height;
    if (excess == 0 || field <= excess) break;
    field -= excess;
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

// Tab goes through the children in z-order: the tab stops in the table's
// tab order, each with the controls without a tab stop that the table puts
// right before it, since a screen reader names a list after the label right
// before it; then the rest in creation order. Creation has put them in the
// table's order, so only the controls out of place are moved: every move is
// a round trip to the window server and costs start-up time.
void Win32Form::ApplyTabOrder() {
  struct Run {
    int tab_order;
    std::vector<HWND> windows;  // ending in the tab stop
  };
  std::vector<Run> runs;
  std::vector<HWND> leading;
  for (const Child& child : children_) {
    leading.push_back(child.hwnd);
    if (child.control->tab_order >= 0)
      runs.push_back({child.control->tab_order, std::exchange(leading, {})});
  }
  std::stable_sort(runs.begin(), runs.end(),
                   [](const Run& a, const Run& b) { return a.tab_order < b.tab_order; });
  runs.push_back({-1, std::move(leading)});
  HWND after = HWND_TOP;
  for (const Run& run : runs) {
    for (HWND window : run.windows) {
      HWND next = after == HWND_TOP ? GetWindow(hwnd(), GW_CHILD) : GetWindow(after, GW_HWNDNEXT);
      if (next != window)
        SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      after = window;
    }
  }
}

const Win32Form::Child* Win32Form::Find(int control_id) const {
  for (const Child& child : children_)
    if (child.control->id == control_id) return &child;
  return nullptr;
}

const Win32Form::Child* Win32Form::ShownList() const {
  for (const Child& child : children_) {
    const ControlKind kind = child.control->kind;
    if ((kind == ControlKind::kListBox || kind == ControlKind::kComboBox) &&
        IsWindowVisible(child.hwnd))
      return &child;
  }
  return nullptr;
}

// A right click on an entry selects it first, as in any Windows list, and
// one below the entries selects none; the selection is the program's, not a
// pick, so a move under way goes on. From the keyboard (Shift+F10, the menu
// key: at is -1) the menu opens at the selected entry.
bool Win32Form::OnContextMenu(HWND target, LPARAM at) {
  const Child* list = nullptr;
  for (const Child& child : children_)
    if (child.hwnd == target) list = &child;
  if (!list || !events_) return false;
  const bool list_box = list->control->kind == ControlKind::kListBox;
  if (list->control->kind != ControlKind::kComboBox && !list_box) return false;
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    point = KeyboardMenuPoint(target, list_box);
  } else if (list_box) {
    SendMessageW(target, LB_SETCURSEL, static_cast<WPARAM>(LBItemFromPt(target, point, FALSE)), 0);
  }
  SetFocus(target);
  std::vector<MenuItem> items;
  Dispatch([&] { items = events_->ListMenu(list->control->id); });
  if (items.empty()) return true;
  const std::optional<ListAction> action = TrackShortcutMenu(hwnd(), items, point);
  if (action) Dispatch([&] { events_->OnListAction(list->control->id, *action); });
  return true;
}

ListControl& Win32Form::List(int control_id) {
  auto it = lists_.find(control_id);
  if (it == lists_.end()) throw std::out_of_range("no list control " + std::to_string(control_id));
  return *it->second;
}

Label& Win32Form::LabelControl(int control_id) {
  auto it = labels_.find(control_id);
  if (it == labels_.end()) throw std::out_of_range("no label " + std::to_string(control_id));
  return *it->second;
}

// Notifications come with the control's id; a driver that posts
// WM_COMMAND(id, LBN_SELCHANGE) without a handle is a user's pick as well.
void Win32Form::OnCommand(int id, int code) {
  const Child* child = Find(id);
  // A key of the form's key table: the list shown is the one it is for.
  if (const std::optional<ListAction> action = ActionOfCommandId(id); action && !child) {
    const Child* list = ShownList();
    if (list && events_) Dispatch([&] { events_->OnListAction(list->control->id, *action); });
    return;
  }
  // Esc, as the dialog keys report it: a window with a dialog frame takes it
  // as its close box, as a dialog does.
  if (id == IDCANCEL && !child && events_ && layout_.frame == FrameKind::kToolDialog) {
    Dispatch([&] { events_->OnCloseRequest(); });
    return;
  }
  if (!child || !events_) return;
  switch (child->control->kind) {
    case ControlKind::kButton:
      if (code == BN_CLICKED) Dispatch([&] { events_->OnClick(id); });
      break;
    case ControlKind::kListBox:
      if (code == LBN_SELCHANGE) Dispatch([&] { events_->OnPick(id); });
      // On an entry only: the list reports one below its last entry too.
      if (code == LBN_DBLCLK && LBItemFromPt(child->hwnd, MessagePoint(), FALSE) >= 0)
        Dispatch([&] { events_->OnListAction(id, ListAction::kDoubleClick); });
      break;
    case ControlKind::kComboBox:
      if (code == CBN_SELCHANGE) Dispatch([&] { events_->OnPick(id); });
      break;
    case ControlKind::kLabel:
      break;
  }
}

// A form keeps its focused control across deactivation; the first time it
// is activated the first tab stop gets the focus.
void Win32Form::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd(), focus)) last_focus_ = focus;
    return;
  }
  HWND target = last_focus_ && IsWindow(last_focus_) && IsChild(hwnd(), last_focus_)
                    ? last_focus_
                    : GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  SetFocus(target ? target : hwnd());
}

// Asked by the dialog-key pre-processing when Enter is pressed: the focused
// push button counts as the default, so Enter presses it.
LRESULT Win32Form::FocusedButtonAsDefault() const {
  HWND focus = GetFocus();
  for (const Child& child : children_)
    if (child.hwnd == focus && child.control->kind == ControlKind::kButton)
      return MAKELRESULT(child.control->id, DC_HASDEFID);
  return 0;
}

LRESULT Win32Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CLOSE:  // the close request; never destroys the window
      if (events_) Dispatch([&] { events_->OnCloseRequest(); });
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam)) break;  // minimized
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case DM_GETDEFID:
      return FocusedButtonAsDefault();
    case WM_SHOWWINDOW:
      // Filled while hidden, the lists measure their entries in one pass once
      // the form is up, not at the cost of its start.
      if (wparam && !lists_measured_) {
        lists_measured_ = true;
        PostMessageW(hwnd(), kMeasureLists, 0, 0);
      }
      break;
    case kMeasureLists:
      Dispatch([&] {
        for (auto& [id, list] : lists_) list->MeasureEntries();
      });
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextMenu(reinterpret_cast<HWND>(wparam), lparam)) return 0;
      break;
    case kActionInList:
      if (events_) {
        Dispatch([&] {
          events_->OnListAction(static_cast<int>(wparam), static_cast<ListAction>(lparam));
        });
      }
      return 0;
    case WM_GETDPISCALEDSIZE:  // the size to suggest for the coming WM_DPICHANGED
      *reinterpret_cast<SIZE*>(lparam) = window_->OuterSizeAt(static_cast<int>(wparam));
      return TRUE;
    case WM_DPICHANGED:
      MoveToDpi(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SYSCOMMAND:
      // The main window's minimize minimizes the application: the program
      // shrinks to its taskbar entry, which belongs to the owner.
      if ((wparam & 0xFFF0) == SC_MINIMIZE && layout_.frame == FrameKind::kMainWindow) {
        if (HWND owner = GetWindow(hwnd(), GW_OWNER)) {
          SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
          return 0;
        }
      }
      break;
  }
  static const UINT drag_list_message = RegisterWindowMessage(DRAGLISTMSGSTRING);
  if (message == drag_list_message)
    return OnDragList(*reinterpret_cast<const DRAGLISTINFO*>(lparam));
  return DefWindowProcA(hwnd(), message, wparam, lparam);
}

// Enter in a list is the form's to act on (the other keys of its commands
// come through the key table). A drop-down list takes its keys itself, also
// while its list is dropped, so this one procedure sees Enter for both
// kinds; it also takes the button press a drag starts from. The subclasses
// are Unicode, as the
// themed controls' own procedures: an ANSI one would put every message
// through the system's translation, which cuts list texts at 511 characters
// and overruns its buffer on longer ones.
LRESULT CALLBACK Win32Form::ListInput(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR form_data) {
  Win32Form& form = *reinterpret_cast<Win32Form*>(form_data);
  // Shift+F10 and the menu key ask for the menu, when the system would (the
  // menu key as it comes up). It makes that request of a list box, but a
  // closed drop-down list may keep the keys.
  const bool down = message == WM_SYSKEYDOWN || message == WM_KEYDOWN;
  const bool up = message == WM_SYSKEYUP || message == WM_KEYUP;
  const bool menu_key =
      (down && wparam == VK_F10 && GetKeyState(VK_SHIFT) < 0) || (up && wparam == VK_APPS);
  if (menu_key && !DroppedDown(list)) {
    SendMessageW(form.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    return 0;
  }
  switch (message) {
    case WM_KEYDOWN:
      if (OpensEntry(list, wparam)) {
        SendMessageW(form.hwnd(), kActionInList, static_cast<WPARAM>(GetDlgCtrlID(list)),
                     static_cast<LPARAM>(ListAction::kOpen));
        return 0;
      }
      break;
    case WM_LBUTTONDOWN: {
      // Windows begins a drag once the pointer has gone past the drag
      // threshold, maybe onto the next entry: the source is what was pressed.
      POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(list, &at);
      form.pressed_ = {list, at};
      break;
    }
    case LB_GETITEMRECT:
      // The drag's mark after the last entry stands where a row after it
      // would: the list itself knows no such row.
      if (list == form.drag_list_ && wparam > 0 &&
          static_cast<LRESULT>(wparam) == DefSubclassProc(list, LB_GETCOUNT, 0, 0)) {
        const LRESULT last = DefSubclassProc(list, LB_GETITEMRECT, wparam - 1, lparam);
        auto& rect = *reinterpret_cast<RECT*>(lparam);
        if (last != LB_ERR) OffsetRect(&rect, 0, rect.bottom - rect.top);
        return last;
      }
      break;
  }
  LRESULT result = DefSubclassProc(list, message, wparam, lparam);
  // Enter is a dialog key: the form's dialog-key handling would take it
  // unless the list asks for it.
  if (message == WM_GETDLGCODE && lparam) {
    const MSG& key = *reinterpret_cast<const MSG*>(lparam);
    if (key.message == WM_KEYDOWN && OpensEntry(list, key.wParam)) result |= DLGC_WANTMESSAGE;
  }
  return result;
}

void Win32Form::CancelDrag() {
  HWND list = std::exchange(drag_list_, nullptr);
  drag_from_ = -1;
  if (!list) return;
  DrawInsert(hwnd(), list, -1);
  // The drag list follows the pointer while it holds the capture.
  if (GetCapture() == list) ReleaseCapture();
}

// The drag list's notifications. The source is the entry under the button
// press. The mark points at the place the entry would take; Esc, a right
// click, a drop outside the list or a command that changes the entries
// cancels.
LRESULT Win32Form::OnDragList(const DRAGLISTINFO& info) {
  const int id = GetDlgCtrlID(info.hWnd);
  switch (info.uNotification) {
    case DL_BEGINDRAG: {
      const int index =
          pressed_.list == info.hWnd ? LBItemFromPt(info.hWnd, pressed_.at, FALSE) : -1;
      bool start = false;
      if (events_) Dispatch([&] { start = events_->OnDragStart(id, index); });
      drag_from_ = start ? index : -1;
      drag_list_ = start ? info.hWnd : nullptr;
      return start;
    }
    case DL_DRAGGING: {
      if (drag_from_ < 0) {  // cancelled while the button is still down
        DrawInsert(hwnd(), info.hWnd, -1);
        return DL_STOPCURSOR;
      }
      const int over = LBItemFromPt(info.hWnd, MessagePoint(), TRUE);
      DrawInsert(hwnd(), info.hWnd, InsertMarkBefore(drag_from_, over));
      return over >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
    }
    case DL_DROPPED: {
      DrawInsert(hwnd(), info.hWnd, -1);
      const int from = std::exchange(drag_from_, -1);
      drag_list_ = nullptr;
      const int to = LBItemFromPt(info.hWnd, MessagePoint(), FALSE);
      if (events_ && from >= 0 && to >= 0) Dispatch([&] { events_->OnDrop(id, from, to); });
      return 0;
    }
    default:  // DL_CANCELDRAG; the next drag begins afresh
      DrawInsert(hwnd(), info.hWnd, -1);
      drag_from_ = -1;
      drag_list_ = nullptr;
      return 0;
  }
}

}  // namespace velm::ui
