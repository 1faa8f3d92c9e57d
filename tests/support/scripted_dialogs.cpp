#include "scripted_dialogs.h"

#include "core/texts.h"

namespace velm::ui {

std::string ScriptedDialogs::InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view default_text) {
  Record({DialogKind::kInputBox,
          std::string(caption),
          std::string(prompt),
          std::string(default_text),
          {}});
  std::optional<std::string> answer;
  if (!inputs_.empty()) {
    answer = std::move(inputs_.front());
    inputs_.pop_front();
  }
  return answer ? *answer : std::string(default_text);
}

int ScriptedDialogs::ErrorDialog(std::string_view text) {
  Record({DialogKind::kError, text::kErrorCaption, {}, {}, std::string(text)});
  return kResultOk;
}

int ScriptedDialogs::Confirm(std::string_view text) {
  Record({DialogKind::kConfirm, text::kConfirmCaption, {}, {}, std::string(text)});
  if (confirms_.empty()) return kResultCancel;
  int result = confirms_.front();
  confirms_.pop_front();
  return result;
}

void ScriptedDialogs::ShowMessage(std::string_view text) {
  Record({DialogKind::kMessage, text::kAppTitle, {}, {}, std::string(text)});
}

void ScriptedDialogs::Record(ShownDialog dialog) {
  shown_.push_back(std::move(dialog));
  if (on_show) on_show(shown_.back());
}

}  // namespace velm::ui
