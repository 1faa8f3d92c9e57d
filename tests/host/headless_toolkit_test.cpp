// The headless toolkit delivers only what a user could do, so a form test
// cannot pass by clicking a hidden button or picking in a hidden list.
#include <gtest/gtest.h>

#include "forms/main_window.h"
#include "headless_toolkit.h"

namespace velm::ui {
namespace {

struct RecordingEvents : FormEvents {
  void OnClick(int id) override {
    if (id == kForm1Button2) throw Error(ErrorKind::kIndex, "boom");
    clicks.push_back(id);
  }
  void OnPick(int id) override { picks.push_back(id); }
  void OnCloseRequest() override { ++closes; }
  std::vector<int> clicks, picks;
  int closes = 0;
};

TEST(HeadlessForm, DeliversOnlyWhatAUserCouldDoAndReportsEscapingErrors) {
  std::vector<std::string> reports;
  HeadlessForm form(velm::Form1Layout(), [&](const Error& e) { reports.push_back(e.what()); });
  RecordingEvents events;
  form.Bind(&events);
  EXPECT_FALSE(form.Click(kForm1Button1));  // not shown yet
  form.Create([] { throw Error(ErrorKind::kOther, "at start"); });
  EXPECT_TRUE(form.window().Visible());
  EXPECT_EQ(form.window().Height(), 413);
  EXPECT_TRUE(form.Click(kForm1Button1));
  EXPECT_TRUE(form.Click(kForm1Button2));
  EXPECT_FALSE(form.Click(kForm1ListBox1));  // not a button
  form.List(kForm1ComboBox1).Append("a");
  EXPECT_FALSE(form.Pick(kForm1ComboBox1, 0));  // hidden
  EXPECT_FALSE(form.Pick(kForm1ListBox1, 0));   // no such entry
  form.List(kForm1ListBox1).Append("a");
  EXPECT_TRUE(form.Pick(kForm1ListBox1, 0));
  form.window().SetEnabled(false);
  EXPECT_FALSE(form.UserClose());
  form.window().RequestClose();  // the taskbar's close reaches a disabled window
  EXPECT_EQ(events.clicks, std::vector<int>{kForm1Button1});
  EXPECT_EQ(events.picks, std::vector<int>{kForm1ListBox1});
  EXPECT_EQ(events.closes, 1);
  EXPECT_EQ(reports, (std::vector<std::string>{"at start", "boom"}));
}

}  // namespace
}  // namespace velm::ui
