// Dialogs that answer from a script instead of a user, and remember every
// dialog shown, so a test can say what the user would have answered and then
// check what the user would have seen.
//
//   ScriptedDialogs dialogs;
//   dialogs.AnswerInput("http://a/");  // the next input box: typed, then OK
//   dialogs.AnswerConfirm(kResultYes); // the next confirmation dialog
//   ... run a handler ...
//   dialogs.shown()                    // every dialog, in order
//
// An input box with no answer queued behaves as cancelled (the default text
// comes back); a confirmation dialog with none, as closed by its close box.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/dialogs.h"

namespace velm::ui {

enum class DialogKind { kInputBox, kError, kConfirm, kMessage };

struct ShownDialog {
  DialogKind kind;
  std::string caption;
  std::string prompt;        // input box only
  std::string default_text;  // input box only
  std::string text;          // message dialogs only
};

class ScriptedDialogs : public Dialogs {
 public:
  // The next input box returns text, as after typing it and pressing OK.
  void AnswerInput(std::string text) { inputs_.emplace_back(std::move(text)); }
  // The next input box is cancelled.
  void CancelInput() { inputs_.emplace_back(std::nullopt); }
  // The next confirmation dialog returns result (6, 7 or 2).
  void AnswerConfirm(int result) { confirms_.push_back(result); }

  // Called as each dialog comes up, while its caller waits: lets a test see
  // the state the user sees behind the dialog.
  std::function<void(const ShownDialog&)> on_show;

  const std::vector<ShownDialog>& shown() const { return shown_; }

  std::string InputBox(std::string_view caption, std::string_view prompt,
                       std::string_view default_text) override;
  int ErrorDialog(std::string_view text) override;
  int Confirm(std::string_view text) override;
  void ShowMessage(std::string_view text) override;

 private:
  void Record(ShownDialog dialog);

  std::deque<std::optional<std::string>> inputs_;
  std::deque<int> confirms_;
  std::vector<ShownDialog> shown_;
};

}  // namespace velm::ui
