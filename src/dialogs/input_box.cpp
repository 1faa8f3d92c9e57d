#include "dialogs/input_box.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/ansi_text.h"
#include "core/entry_text.h"
#include "core/texts.h"
#include "dialogs/system_dialog.h"
#include "dialogs/text_measure.h"
#include "ui/dialogs.h"
#include "ui/win32_controls.h"

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

// Says at the field that it is full, in a balloon below it, as a field
// with a typing limit does; the next edit it takes puts the balloon away.
// The tip is a window the dialog owns, so it goes with the dialog.
class FullBalloon {
 public:
  void Show(HWND edit) {
    if (!tip_) Create(edit);
    RECT at{};
    GetWindowRect(edit, &at);
    SendMessageW(tip_, TTM_TRACKPOSITION, 0,
                 MAKELPARAM(at.left + (at.bottom - at.top) / 2, at.bottom));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_));
    MessageBeep(MB_ICONWARNING);
  }
  void Hide() {
    if (tip_) SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_));
  }

 private:
  void Create(HWND edit) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0,
                           GetParent(edit), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip_) return;
    tool_.cbSize = sizeof tool_;
    tool_.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool_.hwnd = GetParent(edit);
    tool_.uId = reinterpret_cast<UINT_PTR>(edit);
    tool_.lpszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(message_.c_str()));
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
    SendMessageW(tip_, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(title_.c_str()));
  }

  std::u16string title_ = AnsiToUtf16(text::kInputLimitTitle);
  std::u16string message_ = AnsiToUtf16(text::kInputLimit);
  HWND tip_ = nullptr;
  TTTOOLINFOW tool_{};
};

// Keeps the field to what a backup keeps whole. The field itself counts
// UTF-16 units (EM_LIMITTEXT, which says EN_MAXTEXT when typing or a paste
// reaches it); a code-page file counts bytes, up to two a character, so an
// edit past that is taken back here. A value read longer than that is shown
// whole and may be shortened, never lengthened.
class TypingLimit {
 public:
  explicit TypingLimit(const std::string& text) : accepted_(Wtf8ToUtf16(text)) {}

  void OnNotify(HWND edit, int code) {
    if (code == EN_MAXTEXT) return balloon_.Show(edit);
    if (code != EN_CHANGE || restoring_) return;
    std::u16string now = ui::WideWindowText(edit);
    const std::size_t units = BackupUnits(Utf16ToWtf8(now));
    if (units <= kLongestKeptValue || units <= BackupUnits(Utf16ToWtf8(accepted_))) {
      accepted_ = std::move(now);
      balloon_.Hide();
      return;
    }
    // The caret goes back where the refused edit began.
    const auto differs = std::mismatch(accepted_.begin(), accepted_.end(), now.begin(), now.end());
    const auto caret = static_cast<WPARAM>(differs.first - accepted_.begin());
    restoring_ = true;
    SetWindowTextW(edit, reinterpret_cast<LPCWSTR>(accepted_.c_str()));
    restoring_ = false;
    SendMessageW(edit, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    balloon_.Show(edit);
  }

 private:
  FullBalloon balloon_;
  std::u16string accepted_;
  bool restoring_ = false;
};

}  // namespace

std::string RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                        const std::string& default_text) {
  TypingLimit limit(default_text);
  DialogDesign design{
      .caption = caption,
      .entry_caption = true,
      .controls = {{"STATIC", -1, prompt, SS_LEFT},
                   {"EDIT", kEditId, default_text, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT,
                    WS_EX_CLIENTEDGE, nullptr, static_cast<int>(kLongestKeptValue), true},
                   {"BUTTON", ui::kResultOk, text::kOk, WS_TABSTOP | BS_DEFPUSHBUTTON},
                   {"BUTTON", ui::kResultCancel, text::kCancel, WS_TABSTOP | BS_PUSHBUTTON}},
      .lay_out = [&prompt](int dpi) { return LayOutInputBox(prompt, dpi); },
      .default_id = ui::kResultOk,
      .cancel_result = ui::kResultCancel,
      .read_back_id = kEditId,
      .on_notify = [&limit](HWND control, int code) { limit.OnNotify(control, code); },
  };
  const DialogOutcome outcome = RunSystemDialog(owner, design);
  return outcome.result == ui::kResultOk ? outcome.text : default_text;
}

}  // namespace velm
