#include "headless_toolkit.h"

#include <stdexcept>

#include "core/error.h"
#include "core/texts.h"
#include "ui/dispatch.h"

namespace velm::ui {

std::string HeadlessList::Text(int index) const {
  CheckIndex(index, Count() - 1);
  return entries_[index];
}

void HeadlessList::Append(std::string_view text) {
  CheckRoom();
  entries_.emplace_back(text);
  data_.push_back(0);
}

void HeadlessList::Insert(int index, std::string_view text) {
  CheckIndex(index, Count());
  CheckRoom();
  entries_.emplace(entries_.begin() + index, text);
  data_.insert(data_.begin() + index, 0);
  // A real list keeps the same entry selected, so its index moves down.
  if (selected_ >= index) ++selected_;
}

void HeadlessList::Remove(int index) {
  CheckIndex(index, Count() - 1);
  entries_.erase(entries_.begin() + index);
  data_.erase(data_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
}

void HeadlessList::Clear() {
  entries_.clear();
  data_.clear();
  selected_ = -1;
}

std::uintptr_t HeadlessList::ItemData(int index) const {
  CheckIndex(index, Count() - 1);
  return data_[index];
}

void HeadlessList::SetItemData(int index, std::uintptr_t data) {
  CheckIndex(index, Count() - 1);
  data_[index] = data;
}

void HeadlessList::Select(int index) {
  selected_ = (index >= 0 && index < Count()) ? index : -1;
}

// A real control refuses a position it does not have; the handlers never ask
// for one, so a test meets this error only through a handler's fault.
void HeadlessList::CheckIndex(int index, int end) const {
  if (index < 0 || index > end)
    throw Error(ErrorKind::kIndex, FormatText(text::kIndexError, index));
}

void HeadlessList::CheckRoom() const {
  if (capacity_ >= 0 && Count() >= capacity_) throw Error(ErrorKind::kInsert, text::kInsertError);
}

HeadlessWindow::HeadlessWindow(HeadlessForm& form, const FormLayout& layout)
    : form_(form),
      caption_(layout.caption ? layout.caption : ""),
      client_height_(layout.client_height),
      top_(layout.top),
      left_(layout.left) {}

void HeadlessWindow::RequestClose() {
  form_.CloseRequest();
}

HeadlessForm::HeadlessForm(const FormLayout& layout) : layout_(layout), window_(*this, layout) {
  for (const ControlLayout& control : layout.controls) {
    switch (control.kind) {
      case ControlKind::kListBox:
      case ControlKind::kComboBox:
        lists_[control.id] = std::make_unique<HeadlessList>(control.visible);
        break;
      case ControlKind::kLabel:
        labels_[control.id] =
            std::make_unique<HeadlessLabel>(control.caption ? control.caption : "");
        break;
      case ControlKind::kButton:
        buttons_[control.id] = control.visible;
        break;
    }
  }
}

HeadlessList& HeadlessForm::HeadlessListAt(int control_id) {
  auto found = lists_.find(control_id);
  if (found == lists_.end())
    throw std::logic_error("no list control " + std::to_string(control_id));
  return *found->second;
}

Label& HeadlessForm::LabelControl(int control_id) {
  auto found = labels_.find(control_id);
  if (found == labels_.end()) throw std::logic_error("no label " + std::to_string(control_id));
  return *found->second;
}

void HeadlessForm::Create(const std::function<void()>& create_handler) {
  Dispatch(create_handler);
  if (layout_.visible) window_.Show();
}

bool HeadlessForm::Click(int control_id) {
  auto found = buttons_.find(control_id);
  if (found == buttons_.end() || !found->second || !TakesInput()) return false;
  Dispatch([&] {
    if (events_) events_->OnClick(control_id);
  });
  return true;
}

bool HeadlessForm::Pick(int control_id, int index) {
  auto found = lists_.find(control_id);
  if (found == lists_.end() || !TakesInput()) return false;
  HeadlessList& list = *found->second;
  if (!list.Visible() || index < 0 || index >= list.Count()) return false;
  list.Select(index);
  Dispatch([&] {
    if (events_) events_->OnPick(control_id);
  });
  return true;
}

bool HeadlessForm::UserClose() {
  if (!TakesInput()) return false;
  CloseRequest();
  return true;
}

void HeadlessForm::CloseRequest() {
  Dispatch([&] {
    if (events_) events_->OnCloseRequest();
  });
}

}  // namespace velm::ui
