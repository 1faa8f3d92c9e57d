// A form instantiated from its ui::FormLayout over real Win32 windows: the
// window (created hidden), its controls at the table's positions in tab
// order, and the routing of their notifications to the bound FormEvents.
// The table is the design at 96 dpi; the form shows it scaled to the
// window's dpi, and lays itself out again when that dpi changes.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/dpi_scale.h"
#include "ui/form_layout.h"
#include "ui/win32_base_window.h"
#include "ui/win32_controls.h"
#include "ui/win32_font.h"

namespace velm::ui {

class Win32Form final : public FormView, public BaseWindow<Win32Form> {
 public:
  // owner: the application window (nullptr in tests). The window stays
  // hidden; whoever creates the form shows it. Throws WindowCreationError.
  Win32Form(const FormLayout& layout, HWND owner);
  ~Win32Form() override;

  void Bind(FormEvents* events) override { events_ = events; }
  Window& window() override { return *window_; }
  ListControl& List(int control_id) override;
  Label& LabelControl(int control_id) override;
  void CancelDrag() override;

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  struct Child {
    const ControlLayout* control;
    HWND hwnd;
  };

  int Scaled(int designed) const { return ScaleToDpi(designed, dpi_); }
  HWND CreateControl(const ControlLayout& control);
  // The control's font and item heights at the form's dpi.
  void FitToDpi(HWND child, const ControlLayout& control, bool redraw);
  void FitComboBox(HWND combo, const ControlLayout& control, int item_height);
  HFONT FontFor(int char_height, bool bold_italic);
  void LayOutAt(int dpi);
  void MoveToDpi(int dpi, const RECT& suggested);
  void ApplyTabOrder();
  const Child* Find(int control_id) const;
  const Child* ShownList() const;  // the list or drop-down list shown, if any
  // The shortcut menu of the list target; false: target is no list of the form.
  bool OnContextMenu(HWND target, LPARAM at);
  void OnCommand(int id, int code);
  void OnActivate(bool active);
  LRESULT FocusedButtonAsDefault() const;
  LRESULT OnDragList(const DRAGLISTINFO& info);
  // The lists' subclass: their keys, and the button press that may begin a
  // drag. form_data: the form.
  static LRESULT CALLBACK ListInput(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR form_data);

  const FormLayout& layout_;
  std::string class_name_;
  FormEvents* events_ = nullptr;
  int dpi_ = kDesignDpi;
  // Fonts by pixel height and bold italic, at the form's dpi.
  std::vector<std::pair<std::pair<int, bool>, UniqueFont>> fonts_;
  std::vector<Child> children_;
  std::unique_ptr<Win32Window> window_;
  std::map<int, std::unique_ptr<Win32ListControl>> lists_;
  std::map<int, std::unique_ptr<Win32Label>> labels_;
  HWND last_focus_ = nullptr;
  bool lists_measured_ = false;  // asked for once the form first shows
  // The last left-button press in a list, in screen pixels.
  struct Press {
    HWND list;
    POINT at;
  } pressed_{nullptr, {}};
  HWND drag_list_ = nullptr;  // the list whose entry is being dragged
  int drag_from_ = -1;        // the entry being dragged, -1 for none
};

}  // namespace velm::ui
