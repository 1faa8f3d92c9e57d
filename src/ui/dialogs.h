// The modal dialogs the handlers call. Win32: shell/; tests: scripted.
#pragma once

#include <string>
#include <string_view>

namespace velm::ui {

// Dialog results.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The edited text after OK; default_text unchanged after anything else.
  // caption, default_text and the answer are entry text (UTF-8, exact: a
  // caption may hold an entry); prompt is a UI text in the code page.
  virtual std::string InputBox(std::string_view caption, std::string_view prompt,
                               std::string_view default_text) = 0;
  // Error dialog: caption "エラー", stop icon, OK.
  virtual int ErrorDialog(std::string_view text) = 0;
  // Confirmation dialog: caption "確認", question icon, Yes / No. 6, 7 or 2.
  virtual int Confirm(std::string_view text) = 0;
  // Message box: caption the application title, no icon, OK.
  virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace velm::ui
