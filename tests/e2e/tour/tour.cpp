#include "tour/tour.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "core/texts.h"
#include "driver/control_access.h"
#include "driver/dialog_access.h"
#include "driver/launched_process.h"
#include "driver/screen_capture.h"
#include "driver/window_search.h"
#include "forms/main_window.h"
#include "forms/restore_window.h"

// Stops the calling step with the failure of a step it delegated to.
#define TOUR_STEP(step)                                                      \
  do {                                                                       \
    if (testing::AssertionResult result_ = (step); !result_) return result_; \
  } while (false)

namespace e2e {

namespace {

namespace text = velm::text;

// Put on screen when the history is empty, so Change and Move have an entry
// to show; leaving without saving drops it again.
constexpr char kSampleEntry[] = "https://www.example.com/";

bool Contains(const std::vector<std::string>& texts, std::string_view wanted) {
  return std::find(texts.begin(), texts.end(), wanted) != texts.end();
}

testing::AssertionResult Shows(const DialogView& dialog, std::string_view message) {
  if (Contains(dialog.texts, message)) return testing::AssertionSuccess();
  testing::AssertionResult failure = testing::AssertionFailure();
  failure << "dialog \"" << dialog.caption << "\" does not say \"" << message << "\" but:";
  for (const std::string& shown : dialog.texts) failure << " \"" << shown << "\"";
  return failure;
}

class Tour {
 public:
  Tour(std::string exe_dir, std::string out_dir, std::vector<std::string>* pictures)
      : exe_dir_(std::move(exe_dir)), out_dir_(std::move(out_dir)), pictures_(pictures) {}

  testing::AssertionResult Run() {
    TOUR_STEP(Start());
    const bool started_in_drop_down = IsShown(ComboBox1());
    if (started_in_drop_down) TOUR_STEP(SwitchView(ListBox1()));
    if (ListItems(ListBox1()).empty()) TOUR_STEP(CreateSampleEntry());
    TOUR_STEP(Shoot(main_, kShotMainWindow));
    TOUR_STEP(ChangeBox());
    TOUR_STEP(CreateBox());
    TOUR_STEP(MoveMessage());
    TOUR_STEP(ChangeToEmpty());
    TOUR_STEP(RestoreWindow());
    TOUR_STEP(DropDownView());
    // velm.ini keeps the view the user left; the tour leaves it as it found it.
    if (!started_in_drop_down) TOUR_STEP(SwitchView(ListBox1()));
    return ExitWithoutSaving();
  }

 private:
  HWND ListBox1() const { return GetDlgItem(main_, velm::kListView); }
  HWND ComboBox1() const { return GetDlgItem(main_, velm::kDropDownView); }

  // The main window is the shown window of the process that holds "終了";
  // the error report shares its caption but not its buttons.
  HWND FindMainWindow() const {
    for (HWND window : TopLevelWindows(app_.pid())) {
      if (IsWindowVisible(window) && ButtonByCaption(window, text::kButtonExit) != nullptr) {
        return window;
      }
    }
    return nullptr;
  }

  testing::AssertionResult Start() {
    TOUR_STEP(LaunchedProcess::Start(exe_dir_ + "\\velm.exe", exe_dir_, &app_));
    HWND dialog = nullptr;
    PollUntil([&] {
      // The dialog first: a main window that turns visible between the two
      // looks is then taken for what it is, never for a dialog.
      dialog = FindDialog(app_.pid(), {});
      main_ = FindMainWindow();
      if (main_ != nullptr) dialog = nullptr;
      return main_ != nullptr || dialog != nullptr || !app_.Running();
    });
    if (main_ == nullptr) {
      if (dialog != nullptr) {
        const DialogView view = ReadDialog(dialog);
        return testing::AssertionFailure()
               << "velm.exe showed \"" << view.caption << "\""
               << (view.texts.empty() ? "" : " saying \"" + view.texts.front() + "\"")
               << " instead of its main window";
      }
      if (!app_.Running()) {
        return testing::AssertionFailure()
               << "velm.exe ended at once; is another copy running in this Wine prefix?";
      }
      return testing::AssertionFailure() << "the main window of velm.exe did not appear";
    }
    // The restore window is created, hidden, right after the main window shows.
    if (!PollUntil([&] {
          return (restore_ = FindTopLevel(app_.pid(), {.caption = text::kRestoreCaption,
                                                       .visible_only = false})) != nullptr;
        }))
      return testing::AssertionFailure() << "no restore window was created";
    return Settle(main_);
  }

  testing::AssertionResult Shoot(HWND window, const char* name) {
    return ShootArea(OuterRect(window), name);
  }

  testing::AssertionResult ShootArea(const RECT& area, const char* name) {
    TOUR_STEP(Settle(main_));
    ScreenPicture picture;
    TOUR_STEP(CaptureSettled(area, &picture));
    const std::string path = out_dir_ + "\\" + name;
    TOUR_STEP(SaveBitmapFile(path, picture));
    pictures_->push_back(path);
    return testing::AssertionSuccess();
  }

  // Presses a main-window button whose handler opens a dialog.
  testing::AssertionResult OpenDialog(std::string_view button, DialogView* dialog) {
    TOUR_STEP(PostClick(main_, button));
    return WaitDialog(app_.pid(), {main_, restore_}, dialog);
  }

  testing::AssertionResult AnswerAndSettle(const DialogView& dialog, std::string_view button) {
    TOUR_STEP(Answer(dialog, button));
    return Settle(main_);
  }

  testing::AssertionResult SwitchView(HWND expected_list) {
    TOUR_STEP(Click(main_, text::kButtonSwitchView));
    if (!IsShown(expected_list)) {
      return testing::AssertionFailure() << "the view switch did not show the other list";
    }
    return testing::AssertionSuccess();
  }

  testing::AssertionResult CaptionIs(std::string_view caption) const {
    if (WindowText(main_) == caption) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the main window is captioned \"" << WindowText(main_)
                                       << "\", not \"" << caption << "\"";
  }

  testing::AssertionResult CreateSampleEntry() {
    DialogView box;
    TOUR_STEP(OpenDialog(text::kButtonCreate, &box));
    TOUR_STEP(TypeIntoEdit(box, kSampleEntry));
    return AnswerAndSettle(box, text::kOk);
  }

  // The input box of "変更" for the first entry, left with Cancel.
  testing::AssertionResult ChangeBox() {
    const std::vector<std::string> entries = ListItems(ListBox1());
    if (entries.empty()) return testing::AssertionFailure() << "the list has no entry to change";
    TOUR_STEP(Pick(ListBox1(), 0));
    const std::string& entry = entries.front();
    DialogView box;
    TOUR_STEP(OpenDialog(text::kButtonChange, &box));
    if (box.caption != entry + text::kChangeCaptionSuffix) {
      return testing::AssertionFailure() << "the change box is captioned \"" << box.caption << "\"";
    }
    TOUR_STEP(Shoot(box.window, kShotChangeBox));
    return AnswerAndSettle(box, text::kCancel);
  }

  // The input box of "作成" with its two-line prompt, left with Cancel.
  testing::AssertionResult CreateBox() {
    DialogView box;
    TOUR_STEP(OpenDialog(text::kButtonCreate, &box));
    if (box.caption != text::kCreateCaption) {
      return testing::AssertionFailure() << "the create box is captioned \"" << box.caption << "\"";
    }
    TOUR_STEP(Shoot(box.window, kShotCreateBox));
    return AnswerAndSettle(box, text::kCancel);
  }

  // "移動" starts the move mode with its message; pressed again it ends the
  // mode without moving anything.
  testing::AssertionResult MoveMessage() {
    TOUR_STEP(Pick(ListBox1(), 0));
    DialogView message;
    TOUR_STEP(OpenDialog(text::kButtonMove, &message));
    TOUR_STEP(Shows(message, text::kMovePrompt));
    TOUR_STEP(Shoot(message.window, kShotMoveMessage));
    TOUR_STEP(AnswerAndSettle(message, text::kOk));
    TOUR_STEP(CaptionIs(text::kMovingCaption));
    TOUR_STEP(Click(main_, text::kButtonMove));
    return CaptionIs(text::kAppTitle);
  }

  // "変更" answered with an emptied field brings the error dialog.
  testing::AssertionResult ChangeToEmpty() {
    TOUR_STEP(Pick(ListBox1(), 0));
    DialogView box;
    TOUR_STEP(OpenDialog(text::kButtonChange, &box));
    TOUR_STEP(TypeIntoEdit(box, ""));
    TOUR_STEP(Answer(box, text::kOk));
    DialogView error;
    TOUR_STEP(WaitDialog(app_.pid(), {main_, restore_}, &error));
    TOUR_STEP(Shows(error, text::kChangeEmpty));
    TOUR_STEP(Shoot(error.window, kShotChangeEmpty));
    return AnswerAndSettle(error, text::kOk);
  }

  // The restore window with the newest backup previewed, left with "戻る";
  // without any backup, the error that says so.
  testing::AssertionResult RestoreWindow() {
    TOUR_STEP(PostClick(main_, text::kButtonRestoreOld));
    HWND dialog = nullptr;
    PollUntil([&] {
      return IsShown(restore_) || (dialog = FindDialog(app_.pid(), {main_, restore_})) != nullptr;
    });
    if (dialog != nullptr) {
      DialogView error;
      TOUR_STEP(WaitDialog(app_.pid(), {main_, restore_}, &error));
      TOUR_STEP(Shows(error, text::kNoGenerations));
      TOUR_STEP(Shoot(error.window, kShotNoBackup));
      return AnswerAndSettle(error, text::kOk);
    }
    if (!IsShown(restore_)) return testing::AssertionFailure() << "the restore window did not open";
    TOUR_STEP(Pick(GetDlgItem(restore_, velm::kGenerationList), 0));
    TOUR_STEP(Shoot(restore_, kShotRestoreWindow));
    TOUR_STEP(Click(restore_, text::kButtonBack));
    return WaitGone(restore_);
  }

  // The shortened window of the drop-down view, its list dropped down when
  // it drops within a moment, so the entries show too.
  testing::AssertionResult DropDownView() {
    TOUR_STEP(SwitchView(ComboBox1()));
    RECT area = OuterRect(main_);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(ComboBox1(), CB_SHOWDROPDOWN, TRUE, 0, SMTO_NORMAL,
                        static_cast<UINT>(kSendTimeout.count()), &ignored);
    HWND dropped = nullptr;
    if (PollUntil(
            [&] {
              return (dropped = FindTopLevel(app_.pid(), {.class_name = "ComboLBox"})) != nullptr;
            },
            Timeout{2000})) {
      const RECT list = OuterRect(dropped);
      UnionRect(&area, &area, &list);
    }
    TOUR_STEP(ShootArea(area, kShotDropDownView));
    SendMessageTimeoutW(ComboBox1(), CB_SHOWDROPDOWN, FALSE, 0, SMTO_NORMAL,
                        static_cast<UINT>(kSendTimeout.count()), &ignored);
    return Settle(main_);
  }

  // "保存しないで終了" answered Yes: the program ends and the history stays.
  testing::AssertionResult ExitWithoutSaving() {
    DialogView question;
    TOUR_STEP(OpenDialog(text::kButtonExitNoSave, &question));
    TOUR_STEP(Shows(question, text::kExitNoSaveQuestion));
    TOUR_STEP(Shoot(question.window, kShotExitConfirm));
    TOUR_STEP(Answer(question, text::kYes));
    DWORD exit_code = 0;
    TOUR_STEP(app_.WaitExit(&exit_code));
    if (exit_code != 0) return testing::AssertionFailure() << "velm.exe ended with " << exit_code;
    return testing::AssertionSuccess();
  }

  std::string exe_dir_;
  std::string out_dir_;
  std::vector<std::string>* pictures_;
  LaunchedProcess app_;
  HWND main_ = nullptr;
  HWND restore_ = nullptr;
};

}  // namespace

testing::AssertionResult RunTour(const std::string& exe_dir, const std::string& out_dir,
                                 std::vector<std::string>* pictures) {
  return Tour(exe_dir, out_dir, pictures).Run();
}

}  // namespace e2e
