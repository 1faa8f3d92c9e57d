// A toolkit without windows: instantiates a ui::FormLayout as plain objects so
// the forms' handlers run in tests on the host.
//
//   HeadlessForm form(Form1Layout());
//   TForm1 main(form, services, open_restore_window);  // binds itself
//   form.Create([&] { main.FormCreate(); });
//   form.Click(kSwitchViewButton);  // as a user's click
//   form.Pick(kListView, 2);        // as a user's pick
//
// Every event goes through ui::Dispatch, which catches what a handler throws
// and hands it to the installed reporter, as the Win32 window procedure does.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"
#include "ui/form_layout.h"

namespace velm::ui {

// Outer minus client height of a captioned fixed-border window at 96 dpi
// under Wine's default metrics.
inline constexpr int kHeadlessFrameHeight = 25;

class HeadlessList : public ListControl {
 public:
  explicit HeadlessList(bool visible) : visible_(visible) {}

  int Count() const override { return static_cast<int>(entries_.size()); }
  std::string Text(int index) const override;
  void Append(std::string_view text) override;
  void Insert(int index, std::string_view text) override;
  void Remove(int index) override;
  void Clear() override;
  int Selected() const override { return selected_; }
  // Like a real list: a position the list does not have selects nothing.
  void Select(int index) override;
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void SetRedraw(bool redraw) override { redraw_ = redraw; }
  std::uintptr_t ItemData(int index) const override;
  void SetItemData(int index, std::uintptr_t data) override;

  const std::vector<std::string>& Entries() const { return entries_; }
  bool Redrawing() const { return redraw_; }
  // Beyond this many entries Append and Insert raise the insert error, as a
  // real control does when it runs out of room. Negative: no limit.
  void SetCapacity(int capacity) { capacity_ = capacity; }

 private:
  void CheckIndex(int index, int end) const;
  void CheckRoom() const;

  std::vector<std::string> entries_;
  std::vector<std::uintptr_t> data_;  // beside entries_
  int selected_ = -1;
  bool visible_;
  bool redraw_ = true;
  int capacity_ = -1;
};

class HeadlessLabel : public Label {
 public:
  explicit HeadlessLabel(std::string text) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void SetText(std::string_view text) override { text_ = text; }

 private:
  std::string text_;
};

class HeadlessForm;

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(HeadlessForm& form, const FormLayout& layout);

  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  int Height() const override { return client_height_ + kHeadlessFrameHeight; }
  void SetClientHeight(int height) override { client_height_ = height; }
  int ClientHeight() const { return client_height_; }
  int Top() const override { return top_; }
  void SetTop(int top) override { top_ = top; }
  int Left() const override { return left_; }
  void SetLeft(int left) override { left_ = left; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Visible() const override { return visible_; }
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }
  void RequestClose() override;
  bool TitleBarInReach() const override { return true; }

 private:
  HeadlessForm& form_;
  std::string caption_;
  int client_height_;
  int top_;
  int left_;
  bool enabled_ = true;
  bool visible_ = false;
};

class HeadlessForm : public FormView {
 public:
  explicit HeadlessForm(const FormLayout& layout);
  HeadlessForm(const HeadlessForm&) = delete;
  HeadlessForm& operator=(const HeadlessForm&) = delete;

  // FormView
  void Bind(FormEvents* events) override { events_ = events; }
  HeadlessWindow& window() override { return window_; }
  ListControl& List(int control_id) override { return HeadlessListAt(control_id); }
  Label& LabelControl(int control_id) override;
  // Drags are the Win32 toolkit's; the form's handlers are driven directly.
  void CancelDrag() override {}

  HeadlessList& HeadlessListAt(int control_id);

  // What the start-up path does with a form: runs its creation handler
  // through the dispatch (an error is reported before the window appears),
  // then shows the window when the layout marks it visible.
  void Create(const std::function<void()>& create_handler);

  // A user's actions. Each returns false, and does nothing, when a user could
  // not do it: the window is hidden or disabled, the control is hidden, or
  // the pick names a position the list does not have.
  bool Click(int control_id);
  bool Pick(int control_id, int index);  // selects, then OnPick
  bool UserClose();                      // the close box
  // The close request itself, as the application's taskbar entry makes it:
  // it reaches the form also while the window is disabled.
  void CloseRequest();

 private:
  bool TakesInput() const { return window_.Visible() && window_.Enabled(); }

  const FormLayout& layout_;
  FormEvents* events_ = nullptr;
  HeadlessWindow window_;
  std::map<int, std::unique_ptr<HeadlessList>> lists_;
  std::map<int, std::unique_ptr<HeadlessLabel>> labels_;
  std::map<int, bool> buttons_;  // id -> visible
};

}  // namespace velm::ui
