#include "dialogs/message_dialog.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/texts.h"
#include "dialogs/dialog_copy_text.h"
#include "dialogs/system_dialog.h"
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
};

struct DialogParts {
  const char* caption;
  LPCSTR icon;                  // nullptr: none
  std::vector<Button> buttons;  // in the order Yes, No, OK, Cancel
};

DialogParts DialogPartsFor(MessageKind kind) {
  switch (kind) {
    case MessageKind::kError:
      return {text::kErrorCaption, IDI_HAND, {{ui::kResultOk, text::kOk}}};
    case MessageKind::kConfirmation:
      return {text::kConfirmCaption,
              IDI_QUESTION,
              {{ui::kResultYes, text::kYes}, {ui::kResultNo, text::kNo}}};
    case MessageKind::kPlain:
      break;
  }
  return {text::kAppTitle, nullptr, {{ui::kResultOk, text::kOk}}};
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
  // The text wraps at half the width of the monitor the dialog opens on.
  const int open_dpi = DialogDpi(owner);
  const int half_monitor = MonitorOf(owner).whole.width / 2;
  auto lay_out = [&](int dpi) {
    UniqueFont font = CreateMessageFont(dpi);
    TextMeasure measure(font.get(), dpi);
    const ui::Size text_size =
        measure.Wrapped(message, MulDiv(half_monitor, dpi, open_dpi), DT_NOPREFIX);
    int widest = 0;
    for (const Button& button : parts.buttons)
      widest = std::max(widest, measure.LineWidth(button.caption));
    const ui::MessageDialogLayout layout =
        ui::LayoutMessageDialog(measure.Units(), text_size, parts.icon != nullptr,
                                static_cast<int>(parts.buttons.size()), widest);
    DialogFace face{std::move(font), layout.client, {}};
    if (parts.icon) face.places.push_back(layout.icon);
    face.places.push_back(layout.text);
    face.places.insert(face.places.end(), layout.buttons.begin(), layout.buttons.end());
    return face;
  };

  const int default_result = DefaultOf(parts.buttons);
  DialogDesign design{.caption = parts.caption,
                      .lay_out = lay_out,
                      .default_id = default_result,
                      .cancel_result = CancelOf(parts.buttons)};
  if (parts.icon) design.controls.push_back({"STATIC", -1, "", SS_ICON, 0, parts.icon});
  design.controls.push_back({"STATIC", kMessageTextId, message, SS_LEFT | SS_NOPREFIX});
  std::vector<std::string_view> captions;
  for (const Button& button : parts.buttons) {
    // The access key is the caption's "&" letter, which the dialog manager
    // finds by itself.
    const DWORD kind_style = button.result == default_result ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    design.controls.push_back({"BUTTON", button.result, button.caption, WS_TABSTOP | kind_style});
    captions.push_back(button.caption);
  }
  design.copy_text = ui::DialogCopyText(parts.caption, message, captions);
  return RunSystemDialog(owner, design).result;
}

}  // namespace velm
