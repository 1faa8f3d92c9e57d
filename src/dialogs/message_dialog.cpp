#include "dialogs/message_dialog.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/texts.h"
#include "dialogs/dialog_copy_text.h"
#include "dialogs/dialog_window.h"
#include "dialogs/text_measure.h"
#include "ui/dialogs.h"

namespace velm {

namespace {

// The message text's control id, as in the system's message box, so tools
// that read message boxes find it.
constexpr int kMessageTextId = 0xFFFF;

struct Button {
  int result;
  const char* caption;
  int access_key;  // 0: none
};

struct DialogParts {
  const char* caption;
  LPCSTR icon;                  // nullptr: none
  std::vector<Button> buttons;  // in the order Yes, No, OK, Cancel
};

DialogParts DialogPartsFor(MessageKind kind) {
  switch (kind) {
    case MessageKind::kError:
      return {text::kErrorCaption, IDI_HAND, {{ui::kResultOk, text::kOk, 0}}};
    case MessageKind::kConfirmation:
      return {text::kConfirmCaption,
              IDI_QUESTION,
              {{ui::kResultYes, text::kYes, 'Y'}, {ui::kResultNo, text::kNo, 'N'}}};
    case MessageKind::kPlain:
      break;
  }
  return {text::kAppTitle, nullptr, {{ui::kResultOk, text::kOk, 0}}};
}

bool Has(const std::vector<Button>& buttons, int result) {
  return std::any_of(buttons.begin(), buttons.end(),
                     [result](const Button& b) { return b.result == result; });
}

// Default: OK, else Yes. Cancel: Cancel, else No, else OK.
int DefaultOf(const std::vector<Button>& buttons) {
  return Has(buttons, ui::kResultOk) ? ui::kResultOk : ui::kResultYes;
}

int CancelOf(const std::vector<Button>& buttons) {
  for (int result : {ui::kResultCancel, ui::kResultNo, ui::kResultOk})
    if (Has(buttons, result)) return result;
  return 0;
}

}  // namespace

int RunMessageDialog(HWND owner, MessageKind kind, const std::string& message) {
  const DialogParts parts = DialogPartsFor(kind);
  UniqueFont font = CreateMessageFont();
  ui::MessageDialogLayout layout;
  {
    TextMeasure measure(font.get());
    const ui::Size text_size =
        measure.Wrapped(message, GetSystemMetrics(SM_CXSCREEN) / 2, DT_NOPREFIX);
    int widest = 0;
    for (const Button& button : parts.buttons)
      widest = std::max(widest, measure.LineWidth(button.caption));
    layout = ui::LayoutMessageDialog(measure.Units(), text_size, parts.icon != nullptr,
                                     static_cast<int>(parts.buttons.size()), widest);
  }

  DialogWindow dialog(owner, parts.caption, layout.client, font.get());
  if (parts.icon) dialog.AddIcon(LoadIconA(nullptr, parts.icon), layout.icon);
  dialog.AddText(kMessageTextId, message, layout.text, SS_LEFT | SS_NOPREFIX);
  const int default_result = DefaultOf(parts.buttons);
  HWND first = nullptr;
  std::vector<std::string_view> captions;
  for (std::size_t i = 0; i < parts.buttons.size(); ++i) {
    const Button& button = parts.buttons[i];
    HWND control = dialog.AddButton(button.result, button.caption, layout.buttons[i],
                                    button.result == default_result);
    if (!first) first = control;
    if (button.access_key) dialog.AddAccessKey(button.access_key, button.result);
    captions.push_back(button.caption);
  }
  dialog.SetDefaultResult(default_result);
  dialog.SetCancelResult(CancelOf(parts.buttons));
  dialog.SetCopyText(ui::DialogCopyText(parts.caption, message, captions));
  return dialog.Run(first);
}

}  // namespace velm
