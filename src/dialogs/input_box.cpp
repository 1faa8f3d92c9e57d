#include "dialogs/input_box.h"

#include "core/texts.h"
#include "dialogs/dialog_window.h"
#include "dialogs/text_measure.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/win32_controls.h"

namespace velm {

namespace {
// The longest value a backup keeps whole, in bytes of the code page.
constexpr int kTypingLimit = 2047;
}  // namespace

std::string RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                        const std::string& default_text) {
  UniqueFont font = CreateInputBoxFont();
  ui::InputBoxLayout layout;
  {
    TextMeasure measure(font.get());
    const ui::DialogUnits units = measure.Units();
    // The prompt keeps "&" as an access mark, as its label shows it.
    const ui::Size prompt_size = measure.Wrapped(prompt, ui::InputBoxPromptWrapWidth(units), 0);
    const int edit_height = measure.CharHeight() + units.Pixels(8 * GetSystemMetrics(SM_CYBORDER));
    layout = ui::LayoutInputBox(units, prompt_size, edit_height);
  }
  DialogWindow dialog(owner, caption, layout.client, font.get());
  dialog.AddText(-1, prompt, layout.prompt, SS_LEFT);
  HWND edit = dialog.AddEdit(default_text, layout.edit, kTypingLimit);
  dialog.AddButton(ui::kResultOk, text::kOk, layout.ok, true);
  dialog.AddButton(ui::kResultCancel, text::kCancel, layout.cancel, false);
  dialog.SetDefaultResult(ui::kResultOk);
  dialog.SetCancelResult(ui::kResultCancel);
  if (dialog.Run(edit) != ui::kResultOk) return default_text;
  return ui::WindowText(edit);
}

}  // namespace velm
