// TForm2's handlers: list the generations, preview one, hand it to the owner
// in place of its entries. The owner is disabled while this window is shown,
// and every way out enables it again.
#include "forms/restore_window.h"

#include <string>
#include <utility>
#include <vector>

#include "core/ansi_text.h"
#include "core/texts.h"
#include "stores/generations.h"

namespace velm {

TForm2::TForm2(ui::FormView& view, RestoreWindowOwner& owner) : view_(view), owner_(owner) {
  view_.Bind(this);
}

void TForm2::Open(int generation_count, IniDocument settings) {
  settings_ = std::move(settings);
  ListBox1().Clear();
  Label1().SetText(text::kRestoreLabelHead + std::to_string(generation_count) +
                   text::kRestoreLabelTail);
  // A list holds entry text (UTF-8), also for the names of generations.
  const std::string item = AnsiToUtf8(text::kGenerationItem);
  for (int k = 1; k <= generation_count; ++k) ListBox1().Append(item + std::to_string(k));
  // Filled afresh, the generation list selects nothing, and filling it is
  // no pick. The preview keeps what it showed last time: a Restore right
  // away restores that.
  window().Show();
}

void TForm2::ListBox1Click() {
  int selected = ListBox1().Selected();
  if (selected < 0) return;
  std::vector<std::string> entries = ReadGeneration(settings_, selected + 1);
  ListBox2().Clear();
  for (const std::string& entry : entries) ListBox2().Append(entry);
}

void TForm2::Button1Click() {
  std::vector<std::string> entries;
  for (int i = 0; i < ListBox2().Count(); ++i) entries.push_back(ListBox2().Text(i));
  owner_.ReplaceEntries(entries);
  owner_.EnableAgain();
  window().Hide();
}

void TForm2::Button2Click() {
  owner_.EnableAgain();
  window().Hide();
}

// A click or a pick that reaches the window while it is hidden (a late one,
// automation) would act on a list the user went on to edit since.
bool TForm2::TakesInput() {
  return window().Visible() && window().Enabled();
}

void TForm2::OnClick(int control_id) {
  if (!TakesInput()) return;
  switch (control_id) {
    case kRestoreButton:
      Button1Click();
      break;
    case kBackButton:
      Button2Click();
      break;
    default:
      break;
  }
}

void TForm2::OnPick(int control_id) {
  if (!TakesInput()) return;
  if (control_id == kGenerationList) ListBox1Click();
}

void TForm2::OnCloseRequest() {
  if (!TakesInput()) return;
  Button2Click();
}

}  // namespace velm
