// The headless toolkit delivers only what a user could do, so a form test
// cannot pass by clicking a hidden button or picking in a hidden list.
#include <gtest/gtest.h>

#include "forms/main_window.h"
#include "headless_toolkit.h"
#include "report_recorder.h"

namespace velm::ui {
namespace {

struct RecordingEvents : FormEvents {
  void OnClick(int id) override {
    if (id == kDeleteButton) throw Error(ErrorKind::kIndex, "boom");
    clicks.push_back(id);
  }
  void OnPick(int id) override { picks.push_back(id); }
  void OnCloseRequest() override { ++closes; }
  std::vector<int> clicks, picks;
  int closes = 0;
};

TEST(HeadlessForm, DeliversOnlyWhatAUserCouldDoAndReportsEscapingErrors) {
  testing::ReportRecorder reports;
  HeadlessForm form(velm::Form1Layout());
  RecordingEvents events;
  form.Bind(&events);
  EXPECT_FALSE(form.Click(kChangeButton));  // not shown yet
  form.Create([] { throw Error(ErrorKind::kOther, "at start"); });
  EXPECT_TRUE(form.window().Visible());
  EXPECT_EQ(form.window().ClientHeight(), 386);
  EXPECT_TRUE(form.Click(kChangeButton));
  EXPECT_TRUE(form.Click(kDeleteButton));
  EXPECT_FALSE(form.Click(kListView));  // not a button
  form.List(kDropDownView).Append("a");
  EXPECT_FALSE(form.Pick(kDropDownView, 0));  // hidden
  EXPECT_FALSE(form.Pick(kListView, 0));      // no such entry
  form.List(kListView).Append("a");
  EXPECT_THROW(form.List(kListView).ItemData(1), Error);  // one past the end is no data
  EXPECT_TRUE(form.Pick(kListView, 0));
  form.window().SetEnabled(false);
  EXPECT_FALSE(form.UserClose());
  form.window().RequestClose();  // the taskbar's close reaches a disabled window
  EXPECT_EQ(events.clicks, std::vector<int>{kChangeButton});
  EXPECT_EQ(events.picks, std::vector<int>{kListView});
  EXPECT_EQ(events.closes, 1);
  EXPECT_EQ(reports.messages, (std::vector<std::string>{"at start", "boom"}));
}

}  // namespace
}  // namespace velm::ui
