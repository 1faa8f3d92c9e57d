// TForm2's handlers: list the generations, preview one, restore it into the
// main window's visible list. The main window is disabled while this one is
// shown, and every way out enables it again.
#include "Unit2.h"

#include <string>
#include <utility>
#include <vector>

#include "Unit1.h"
#include "core/texts.h"
#include "stores/generations.h"

namespace velm {

TForm2* Form2 = nullptr;

TForm2::TForm2(ui::FormView& view, AppServices& services) : view_(view), services_(services) {
  view_.Bind(this);
}

void TForm2::Open(int generation_count, IniDocument settings) {
  settings_ = std::move(settings);
  ListBox1().Clear();
  Label1().SetText(text::kRestoreLabelHead + std::to_string(generation_count) +
                   text::kRestoreLabelTail);
  for (int k = 1; k <= generation_count; ++k)
    ListBox1().Append(text::kGenerationItem + std::to_string(k));
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
  ui::ListControl& list_view = Form1->ListBox1();
  ui::ListControl& drop_down = Form1->ComboBox1();
  list_view.Clear();
  drop_down.Clear();
  // By what is shown, which is always the list the close saves.
  ui::ListControl& target = list_view.Visible() ? list_view : drop_down;
  for (int i = 0; i < ListBox2().Count(); ++i) target.Append(ListBox2().Text(i));
  Form1->window().SetEnabled(true);
  window().Hide();
}

void TForm2::Button2Click() {
  Form1->window().SetEnabled(true);
  window().Hide();
}

void TForm2::OnClick(int control_id) {
  switch (control_id) {
    case kForm2Button1:
      Button1Click();
      break;
    case kForm2Button2:
      Button2Click();
      break;
    default:
      break;
  }
}

void TForm2::OnPick(int control_id) {
  if (control_id == kForm2ListBox1) ListBox1Click();
}

void TForm2::OnCloseRequest() {
  Button2Click();
}

}  // namespace velm
