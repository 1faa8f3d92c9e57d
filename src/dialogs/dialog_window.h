// The window behind the input box and the message dialogs: a fixed dialog
// frame with the close box only, centred on the screen, whose buttons end it
// with their result. Run shows it modally in a nested message loop that
// takes the dialog keys first: Enter presses the focused button (else the
// default one) and Esc the cancel button, both only without Shift, Ctrl or
// Alt; Tab moves the focus; access keys work with or without Alt; Ctrl+C
// copies the dialog's text when it has one. The close box, Alt+F4 and a
// quit message end it with 2. It is laid out at the screen's dpi, as its
// font is made; moved to a monitor of another dpi, it scales its controls
// and font to that dpi.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/win32_handles.h"
#include "dialogs/dialog_layout.h"
#include "ui/win32_base_window.h"

namespace velm {

class DialogWindow final : public ui::BaseWindow<DialogWindow> {
 public:
  // owner may be nullptr. font: used by every control; outlives the window.
  DialogWindow(HWND owner, const std::string& caption, ui::Size client, HFONT font);
  ~DialogWindow();

  // A push button whose id is its result.
  HWND AddButton(int result, const std::string& caption, const ui::Rect& at, bool is_default);
  HWND AddText(int id, const std::string& text, const ui::Rect& at, DWORD style);
  HWND AddIcon(HICON icon, const ui::Rect& at);
  HWND AddEdit(const std::string& text, const ui::Rect& at, int limit);

  void SetDefaultResult(int result) { default_result_ = result; }
  void SetCancelResult(int result) { cancel_result_ = result; }
  // virtual_key: 'Y', 'N', ...
  void AddAccessKey(int virtual_key, int result) { access_keys_.emplace_back(virtual_key, result); }
  void SetCopyText(std::string text) { copy_text_ = std::move(text); }

  // Shows the dialog with the focus on first_focus and returns its result.
  int Run(HWND first_focus);

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND AddControl(const char* cls, int id, const std::string& text, const ui::Rect& at, DWORD style,
                  DWORD ex_style);
  bool HandleKey(const MSG& msg);
  void MoveFocus(bool backwards);
  int ButtonResult(HWND window) const;
  void ScaleTo(int dpi, const RECT& suggested);

  HFONT font_;
  UniqueFont scaled_font_;  // the font at a dpi the dialog moved to
  int dpi_;
  std::vector<std::pair<int, HWND>> buttons_;
  int default_result_ = 0;
  int cancel_result_ = 0;
  std::vector<std::pair<int, int>> access_keys_;
  std::string copy_text_;
  std::optional<int> result_;
};

}  // namespace velm
