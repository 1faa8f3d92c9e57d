#include "ui/win32_controls.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/ansi_text.h"
#include "core/entry_text.h"
#include "core/error.h"
#include "core/texts.h"
#include "ui/dpi_scale.h"
#include "ui/layout_geometry.h"
#include "ui/win32_dpi.h"

namespace velm::ui {

// The list box and the drop-down list speak the same language with
// different message numbers.
struct ListMessages {
  UINT count, text_length, text, add, insert, remove, reset, get_selection, set_selection, get_data,
      set_data, set_scroll_width;
};

namespace {

constexpr ListMessages kListBoxMessages{LB_GETCOUNT,     LB_GETTEXTLEN,   LB_GETTEXT,
                                        LB_ADDSTRING,    LB_INSERTSTRING, LB_DELETESTRING,
                                        LB_RESETCONTENT, LB_GETCURSEL,    LB_SETCURSEL,
                                        LB_GETITEMDATA,  LB_SETITEMDATA,  LB_SETHORIZONTALEXTENT};
constexpr ListMessages kComboBoxMessages{CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                         CB_ADDSTRING,    CB_INSERTSTRING, CB_DELETESTRING,
                                         CB_RESETCONTENT, CB_GETCURSEL,    CB_SETCURSEL,
                                         CB_GETITEMDATA,  CB_SETITEMDATA,  CB_SETHORIZONTALEXTENT};

}  // namespace

Win32ListControl::Win32ListControl(HWND control, Kind kind, bool scrolls_sideways)
    : control_(control),
      messages_(kind == Kind::kListBox ? kListBoxMessages : kComboBoxMessages),
      scrolls_sideways_(scrolls_sideways) {}

LRESULT Win32ListControl::Send(UINT message, WPARAM wparam, LPARAM lparam) const {
  return SendMessageA(control_, message, wparam, lparam);
}

LRESULT Win32ListControl::SendW(UINT message, WPARAM wparam, LPARAM lparam) const {
  return SendMessageW(control_, message, wparam, lparam);
}

// LB_ERR / CB_ERR (-1) and LB_ERRSPACE / CB_ERRSPACE (-2): the control refused.
void Win32ListControl::CheckInserted(LRESULT result) const {
  if (result < 0) throw Error(ErrorKind::kInsert, text::kInsertError);
}

int Win32ListControl::Count() const {
  return static_cast<int>(Send(messages_.count));
}

// Entries go to and from the controls as UTF-16, exactly as the history
// holds them: a detour through the code page would show "?" or a look-alike
// for what it lacks. The W messages also spare the system's translation of
// the ANSI ones, which overruns a fixed buffer on texts longer than 511
// characters under Wine.
std::string Win32ListControl::Text(int index) const {
  return Utf16ToWtf8(WideText(index));
}

std::u16string Win32ListControl::WideText(int index) const {
  const LRESULT length = SendW(messages_.text_length, static_cast<WPARAM>(index));
  if (index < 0 || length < 0) throw Error(ErrorKind::kIndex, FormatText(text::kIndexError, index));
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const LRESULT copied =
      SendW(messages_.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
  return text;
}

void Win32ListControl::Append(std::string_view text) {
  const std::u16string wide = Wtf8ToUtf16(text);
  CheckInserted(SendW(messages_.add, 0, reinterpret_cast<LPARAM>(wide.c_str())));
  if (!measuring_) return;
  widths_.push_back(Measure(wide));
  FitScrollWidth();
}

void Win32ListControl::Insert(int index, std::string_view text) {
  const int count = Count();
  if (index == count) return Append(text);
  // A position the control does not have is the index error, as in the
  // headless list; -1 would mean "at the end" to the control.
  if (index < 0 || index > count)
    throw Error(ErrorKind::kIndex, FormatText(text::kIndexError, index));
  const std::u16string wide = Wtf8ToUtf16(text);
  CheckInserted(
      SendW(messages_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str())));
  if (!measuring_) return;
  widths_.insert(widths_.begin() + index, Measure(wide));
  FitScrollWidth();
}

void Win32ListControl::Remove(int index) {
  if (index < 0 || Send(messages_.remove, static_cast<WPARAM>(index)) < 0)
    throw Error(ErrorKind::kIndex, FormatText(text::kIndexError, index));
  if (!measuring_) return;
  widths_.erase(widths_.begin() + index);
  FitScrollWidth();
}

void Win32ListControl::Clear() {
  Send(messages_.reset);
  if (!measuring_) return;
  widths_.clear();
  FitScrollWidth();
}

namespace {

// A font selected into a DC for as long as it lives.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
  ~SelectedFont() { SelectObject(dc_, old_); }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

int TextWidth(HDC dc, const std::u16string& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                        static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

int Win32ListControl::Measure(const std::u16string& text) const {
  const SelectedFont selected(measuring_dc_.get(), font_);
  return TextWidth(measuring_dc_.get(), text) + margin_;
}

// The list draws its text a little in from its edge: an average character
// more keeps the end of the widest entry in view.
void Win32ListControl::MeasureEntries() {
  if (!scrolls_sideways_) return;
  if (!measuring_dc_) measuring_dc_.reset(CreateCompatibleDC(nullptr));
  font_ = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  const SelectedFont selected(measuring_dc_.get(), font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(measuring_dc_.get(), &metrics);
  margin_ = metrics.tmAveCharWidth;
  const int count = Count();
  widths_.assign(static_cast<std::size_t>(std::max(count, 0)), 0);
  for (int i = 0; i < count; ++i)
    widths_[static_cast<std::size_t>(i)] = TextWidth(measuring_dc_.get(), WideText(i)) + margin_;
  measuring_ = true;
  FitScrollWidth();
}

void Win32ListControl::FontChanged() {
  if (measuring_) MeasureEntries();
}

void Win32ListControl::FitScrollWidth() {
  const int widest = widths_.empty() ? 0 : *std::max_element(widths_.begin(), widths_.end());
  if (widest == scroll_width_) return;
  scroll_width_ = widest;
  Send(messages_.set_scroll_width, static_cast<WPARAM>(widest));
}

int Win32ListControl::Selected() const {
  LRESULT selected = Send(messages_.get_selection);
  return selected < 0 ? -1 : static_cast<int>(selected);
}

// The controls send no selection-change notification for a selection set by
// message, so this is never a pick.
void Win32ListControl::Select(int index) {
  Send(messages_.set_selection, static_cast<WPARAM>(index));
}

bool Win32ListControl::Visible() const {
  return (GetWindowLongPtrA(control_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32ListControl::SetVisible(bool visible) {
  ShowWindow(control_, visible ? SW_SHOW : SW_HIDE);
}

void Win32ListControl::SetRedraw(bool redraw) {
  Send(WM_SETREDRAW, redraw);
  if (redraw) InvalidateRect(control_, nullptr, TRUE);
}

std::uintptr_t Win32ListControl::ItemData(int index) const {
  // LB_ERR is also a value the data could have: ask about the index first.
  if (index < 0 || index >= Count())
    throw Error(ErrorKind::kIndex, FormatText(text::kIndexError, index));
  return static_cast<std::uintptr_t>(Send(messages_.get_data, static_cast<WPARAM>(index)));
}

void Win32ListControl::SetItemData(int index, std::uintptr_t data) {
  if (index < 0 ||
      Send(messages_.set_data, static_cast<WPARAM>(index), static_cast<LPARAM>(data)) < 0)
    throw Error(ErrorKind::kIndex, FormatText(text::kIndexError, index));
}

std::string WindowText(HWND window) {
  return Utf16ToAnsi(WideWindowText(window));
}

std::u16string WideWindowText(HWND window) {
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(
      window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
  return text;
}

std::string EntryWindowText(HWND window) {
  return Utf16ToWtf8(WideWindowText(window));
}

void SetWindowTextFromEntry(HWND window, std::string_view text) {
  const std::u16string wide = Wtf8ToUtf16(text);
  SetWindowTextW(window, reinterpret_cast<const wchar_t*>(wide.c_str()));
}

void SetWindowTextFromAnsi(HWND window, std::string_view text) {
  const std::u16string wide = AnsiToUtf16(text);
  SetWindowTextW(window, reinterpret_cast<const wchar_t*>(wide.c_str()));
}

std::string Win32Label::Text() const {
  return WindowText(control_);
}

void Win32Label::SetText(std::string_view text) {
  SetWindowTextFromAnsi(control_, text);
}

std::string Win32Window::Caption() const {
  return WindowText(window_);
}

void Win32Window::SetCaption(std::string_view caption) {
  SetWindowTextA(window_, std::string(caption).c_str());
}

RECT Win32Window::Bounds() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect;
}

int Win32Window::Height() const {
  RECT rect = Bounds();
  return rect.bottom - rect.top;
}

void Win32Window::SetClientHeight(int height) {
  design_client_.cy = height;
  ScaleTo(dpi_);
}

SIZE Win32Window::OuterSizeAt(int dpi) const {
  const SIZE frame = FrameSize(window_, dpi);
  return {OuterLengthAt(design_client_.cx, dpi, frame.cx),
          OuterLengthAt(design_client_.cy, dpi, frame.cy)};
}

void Win32Window::ScaleTo(int dpi) {
  dpi_ = dpi;
  const SIZE outer = OuterSizeAt(dpi);
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32Window::Top() const {
  return Bounds().top;
}

int Win32Window::Left() const {
  return Bounds().left;
}

void Win32Window::MoveTo(int left, int top) {
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetTop(int top) {
  MoveTo(Left(), top);
}

void Win32Window::SetLeft(int left) {
  MoveTo(left, Top());
}

bool Win32Window::Enabled() const {
  return IsWindowEnabled(window_) != FALSE;
}

void Win32Window::SetEnabled(bool enabled) {
  EnableWindow(window_, enabled);
}

bool Win32Window::Visible() const {
  return (GetWindowLongPtrA(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Window::Show() {
  ShowWindow(window_, SW_SHOW);
}

// Hiding the active window would hand activation to its owner, the
// application's invisible window; the form the user came from gets it.
void Win32Window::Hide() {
  const bool was_active = GetActiveWindow() == window_;
  ShowWindow(window_, SW_HIDE);
  if (was_active) ActivateNextWindow(window_);
}

void Win32Window::RequestClose() {
  SendMessageA(window_, WM_CLOSE, 0, 0);
}

namespace {

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, RECT*, LPARAM areas_param) {
  auto& areas = *reinterpret_cast<std::vector<PixelRect>*>(areas_param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info))
    areas.push_back({info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
}

}  // namespace

bool Win32Window::TitleBarInReach() const {
  std::vector<PixelRect> work_areas;
  EnumDisplayMonitors(nullptr, nullptr, &CollectWorkArea, reinterpret_cast<LPARAM>(&work_areas));
  const RECT bounds = Bounds();
  POINT client{0, 0};
  ClientToScreen(window_, &client);
  const PixelRect window{bounds.left, bounds.top, bounds.right, bounds.bottom};
  const int border = client.x - bounds.left;
  return GripInReach(TitleBarGrip(window, border, client.y), work_areas);
}

void ActivateNextWindow(HWND except) {
  const DWORD thread = GetCurrentThreadId();
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    RECT rect{};
    if (window == except || GetWindowThreadProcessId(window, nullptr) != thread ||
        !IsWindowVisible(window) || !IsWindowEnabled(window) || !GetWindowRect(window, &rect) ||
        IsRectEmpty(&rect))
      continue;
    SetActiveWindow(window);
    return;
  }
}

}  // namespace velm::ui
