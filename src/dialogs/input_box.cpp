#include "dialogs/input_box.h"

#include "core/texts.h"
#include "dialogs/system_dialog.h"
#include "dialogs/text_measure.h"
#include "ui/dialogs.h"

namespace velm {

namespace {

constexpr int kEditId = 100;

DialogFace LayOutInputBox(const std::string& prompt, int dpi) {
  UniqueFont font = CreateInputBoxFont(dpi);
  TextMeasure measure(font.get(), dpi);
  const ui::DialogUnits units = measure.Units();
  // The prompt keeps "&" as an access mark, as its label shows it.
  const ui::Size prompt_size = measure.Wrapped(prompt, ui::InputBoxPromptWrapWidth(units), 0);
  const int edit_height = measure.CharHeight() + units.Pixels(8 * GetSystemMetrics(SM_CYBORDER));
  const ui::InputBoxLayout layout = ui::LayoutInputBox(units, prompt_size, edit_height);
  return {std::move(font), layout.client, {layout.prompt, layout.edit, layout.ok, layout.cancel}};
}

}  // namespace

namespace {
// The longest value a backup keeps whole is 2,047 bytes of the code page.
// The themed field counts characters, so this takes at least that many bytes;
// a longer value is cut at a whole character when it is saved.
constexpr int kTypingLimit = 2047;
}  // namespace

std::string RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                        const std::string& default_text) {
  DialogDesign design{
      .caption = caption,
      .controls = {{"STATIC", -1, prompt, SS_LEFT},
                   {"EDIT", kEditId, default_text, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT,
                    WS_EX_CLIENTEDGE, nullptr, kTypingLimit},
                   {"BUTTON", ui::kResultOk, text::kOk, WS_TABSTOP | BS_DEFPUSHBUTTON},
                   {"BUTTON", ui::kResultCancel, text::kCancel, WS_TABSTOP | BS_PUSHBUTTON}},
      .lay_out = [&prompt](int dpi) { return LayOutInputBox(prompt, dpi); },
      .default_id = ui::kResultOk,
      .cancel_result = ui::kResultCancel,
      .read_back_id = kEditId,
  };
  const DialogOutcome outcome = RunSystemDialog(owner, design);
  return outcome.result == ui::kResultOk ? outcome.text : default_text;
}

}  // namespace velm
