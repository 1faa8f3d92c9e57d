// The narrow interface through which form handlers see their controls.
// Implemented over real Win32 controls (ui/win32_*) and headless for tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velm::ui {

// A list box or drop-down list holding entries in the order given (unsorted).
class ListControl {
 public:
  virtual ~ListControl() = default;

  virtual int Count() const = 0;
  virtual std::string Text(int index) const = 0;
  // Append and Insert throw Error(kInsert, "行を挿入できません") when refused.
  virtual void Append(std::string_view text) = 0;
  virtual void Insert(int index, std::string_view text) = 0;  // index == Count appends
  virtual void Remove(int index) = 0;
  virtual void Clear() = 0;
  // -1: nothing selected. Select(-1) clears; a selection set here is never a pick.
  virtual int Selected() const = 0;
  virtual void Select(int index) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetRedraw(bool redraw) = 0;
  // A number the program keeps with an entry: it stays with the entry when
  // others are inserted or removed, and Move carries it. A new entry has 0.
  virtual std::uintptr_t ItemData(int index) const = 0;
  virtual void SetItemData(int index, std::uintptr_t data) = 0;

  // Moves the entry at from, with its item data, so that it ends at index to. Throws
  // Error(kIndex, "リストのインデックスが範囲を超えています (from)") and changes
  // nothing when from is not a position of the control.
  void Move(int from, int to);
};

class Label {
 public:
  virtual ~Label() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(std::string_view text) = 0;
};

// The form's own window. Top and Left are the outer window in screen pixels.
// SetClientHeight takes the client height as designed at 96 dpi; the window
// takes it scaled to its dpi with the running system's frame around it, and
// Height tells the outer height it then has.
class Window {
 public:
  virtual ~Window() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual int Height() const = 0;
  virtual void SetClientHeight(int height) = 0;
  virtual int Top() const = 0;
  virtual void SetTop(int top) = 0;
  virtual int Left() const = 0;
  virtual void SetLeft(int left) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // The close request: what the close box, Alt+F4 and the system menu do.
  virtual void RequestClose() = 0;
  // Whether enough of the title bar lies in the work area of some monitor
  // for the user to take hold of it and drag the window.
  virtual bool TitleBarInReach() const = 0;
};

// What a key, a menu item or a double click asks of a list control, beyond
// a pick. While a drop-down list is open, its keys are its own.
enum class ListAction {
  kDelete,       // Del
  kOpen,         // Enter or F2
  kDoubleClick,  // on an entry of a list box
  kCreate,       // Ins
  kMoveUp,       // Ctrl+Up
  kMoveDown,     // Ctrl+Down
  kUndo,         // Ctrl+Z
  kRedo,         // Ctrl+Y, Ctrl+Shift+Z
  kCopy,         // Ctrl+C, Ctrl+Ins
};

// One line of a list's shortcut menu; a line without text is a separator.
struct MenuItem {
  const char* text;  // in the ANSI code page, the key after a tab
  ListAction action;
  bool enabled;
};

// What a form does when its controls fire; the toolkit calls these inside
// its error-catching dispatch.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void OnClick(int control_id) = 0;
  virtual void OnPick(int control_id) = 0;  // a user's selection change only
  virtual void OnCloseRequest() = 0;
  // Most forms leave their lists' keys alone and drag nothing.
  virtual void OnListAction(int /*control_id*/, ListAction /*action*/) {}
  // Whether the entry at index of a list box may be dragged now.
  virtual bool OnDragStart(int /*control_id*/, int /*index*/) { return false; }
  // A dragged entry let go over the entry at to; it lands at to.
  virtual void OnDrop(int /*control_id*/, int /*from*/, int /*to*/) {}
  // The shortcut menu of a list as it stands now; empty: the list has none.
  virtual std::vector<MenuItem> ListMenu(int /*control_id*/) { return {}; }
};

// One instantiated form: its window and its controls by id.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void Bind(FormEvents* events) = 0;
  virtual Window& window() = 0;
  virtual ListControl& List(int control_id) = 0;
  virtual Label& LabelControl(int control_id) = 0;
  // Ends a drag under way, if any, without a drop: its entry may be gone.
  virtual void CancelDrag() = 0;
};

}  // namespace velm::ui
