// Thin, non-copyable wrappers that give the form handlers their narrow view
// of real controls: one short method per message. They do not own the
// control: the form window destroys its children.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/win32_handles.h"
#include "ui/controls.h"

namespace velm::ui {

struct ListMessages;

// A LISTBOX or a COMBOBOX (drop-down list) through the same operations.
class Win32ListControl final : public ListControl {
 public:
  enum class Kind { kListBox, kComboBox };
  // scrolls_sideways: the list is made as wide as its widest entry, once it
  // measures (MeasureEntries).
  Win32ListControl(HWND control, Kind kind, bool scrolls_sideways);
  Win32ListControl(const Win32ListControl&) = delete;
  Win32ListControl& operator=(const Win32ListControl&) = delete;

  int Count() const override;
  std::string Text(int index) const override;
  void Append(std::string_view text) override;
  void Insert(int index, std::string_view text) override;
  void Remove(int index) override;
  void Clear() override;
  int Selected() const override;
  void Select(int index) override;
  bool Visible() const override;
  void SetVisible(bool visible) override;
  void SetRedraw(bool redraw) override;
  std::uintptr_t ItemData(int index) const override;
  void SetItemData(int index, std::uintptr_t data) override;

  // Measures every entry in one pass, with the list's font as it is now;
  // from then on each entry added is measured as it comes. Until then the
  // list takes entries without measuring them: a start-up fills it before
  // anyone can scroll it.
  void MeasureEntries();
  // The list's font changed (a new dpi): a list that measures measures again.
  void FontChanged();

 private:
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
  LRESULT SendW(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
  void CheckInserted(LRESULT result) const;
  std::u16string WideText(int index) const;
  // The width an entry's text takes in the list, in pixels of its font.
  int Measure(const std::u16string& text) const;
  // The list scrolls sideways as far as its widest entry.
  void FitScrollWidth();

  HWND control_;
  const ListMessages& messages_;
  const bool scrolls_sideways_;
  // Each entry's width, beside the entries, once the list measures: a change
  // measures only the entry it adds, never at painting.
  bool measuring_ = false;
  std::vector<int> widths_;
  int scroll_width_ = 0;
  // What every measure takes, from the last pass: the list's font, and the
  // margin of an average character the list keeps beside its text.
  HFONT font_ = nullptr;
  int margin_ = 0;
  // A DC of its own, so that measuring asks nothing of the window system.
  UniqueMemoryDc measuring_dc_;
};

class Win32Label final : public Label {
 public:
  explicit Win32Label(HWND control) : control_(control) {}
  Win32Label(const Win32Label&) = delete;
  Win32Label& operator=(const Win32Label&) = delete;

  std::string Text() const override;
  void SetText(std::string_view text) override;

 private:
  HWND control_;
};

// A top-level form window. Top and Left are its outer rectangle in screen
// pixels; its client area is the designed one scaled to the window's dpi.
class Win32Window final : public Window {
 public:
  // design_client: the client area as designed at 96 dpi; window is sized
  // for it at dpi.
  Win32Window(HWND window, SIZE design_client, int dpi)
      : window_(window), design_client_(design_client), dpi_(dpi) {}
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  std::string Caption() const override;
  void SetCaption(std::string_view caption) override;
  int Height() const override;
  void SetClientHeight(int height) override;
  int Top() const override;
  void SetTop(int top) override;
  int Left() const override;
  void SetLeft(int left) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  void RequestClose() override;
  bool TitleBarInReach() const override;

  // Sizes the window for dpi, keeping its designed client area.
  void ScaleTo(int dpi);
  // The window was given its size at dpi by the system's suggestion.
  void TakeDpi(int dpi) { dpi_ = dpi; }
  // The outer size the window takes at dpi.
  SIZE OuterSizeAt(int dpi) const;

 private:
  RECT Bounds() const;
  void MoveTo(int left, int top);

  HWND window_;
  SIZE design_client_;
  int dpi_;
};

// The text of any window as it holds it; in the ANSI code page; as an
// entry's text (UTF-8, exact).
std::u16string WideWindowText(HWND window);
std::string WindowText(HWND window);
std::string EntryWindowText(HWND window);
// Sets it from the ANSI code page, or from an entry's text, as UTF-16 (see
// Win32ListControl::Text).
void SetWindowTextFromAnsi(HWND window, std::string_view text);
void SetWindowTextFromEntry(HWND window, std::string_view text);

// Activates the first visible, enabled top-level window of this thread (in
// z-order) that has an area, other than except: the window the user worked
// in before except went away. The application's zero-size window never
// qualifies.
void ActivateNextWindow(HWND except);

}  // namespace velm::ui
