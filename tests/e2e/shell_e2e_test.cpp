// velm.exe as a whole program: one copy at a time, its exit code, its version
// record, and every dialog as the user meets it.
#include <windows.h>

#include <tlhelp32.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/texts.h"
#include "driver/clipboard_text.h"
#include "driver/control_access.h"
#include "driver/history_key.h"
#include "driver/ini_file.h"
#include "driver/key_input.h"
#include "driver/wait.h"
#include "driver/window_search.h"
#include "driver/wine_path.h"
#include "velm_test.h"

namespace e2e {
namespace {

namespace text = velm::text;

using ShellTest = VelmTest;

TEST_F(ShellTest, SecondCopyEndsAtOnceAndTouchesNothing) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/"}));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(ChangeEntry(0, "http://edited/"));
  const HistoryValues history = ReadHistory();
  const auto ini = ReadFileBytes(IniPath());
  ASSERT_TRUE(ini.has_value()) << "the first copy wrote no velm.ini";

  // Started from the same folder: a second copy that ran would rotate the
  // generations of this very velm.ini.
  LaunchedProcess second;
  ASSERT_TRUE(LaunchedProcess::Start(sandbox_.exe(), sandbox_.dir(), &second));
  bool showed_window = false;
  ASSERT_TRUE(PollUntil([&] {
    showed_window = showed_window || FindTopLevel(second.pid(), {}) != nullptr;
    return !second.Running();
  }));
  DWORD exit_code = 99;
  ASSERT_TRUE(second.WaitExit(&exit_code));
  EXPECT_EQ(exit_code, 0u);
  EXPECT_FALSE(showed_window);
  EXPECT_EQ(ReadHistory(), history);
  EXPECT_EQ(ReadFileBytes(IniPath()), ini);

  // The first copy goes on undisturbed and still saves its edit.
  EXPECT_EQ(Caption(), text::kAppTitle);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://edited/", "http://b/"}));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://edited/", "http://b/"}));

  // Once the first has ended, a new copy runs normally.
  ASSERT_TRUE(Start());
  ASSERT_TRUE(ExitAndWait());
}

// A log-off saves what the close box would, before the system is told the
// program is done, also with a dialog open: that one ends as if cancelled.
TEST_F(ShellTest, LogOffSavesTheEditsAndTheViewAndTheNextStartRuns) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/", "http://c/"}));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(Press(text::kButtonDelete));
  ASSERT_TRUE(Press(text::kButtonSwitchView));
  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonChange, &box));
  ASSERT_TRUE(TypeIntoEdit(box, "http://typed/"));
  HWND app = AppWindow();
  ASSERT_NE(app, nullptr);
  DWORD_PTR agrees = 0;
  ASSERT_TRUE(SendMessageTimeoutA(app, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &agrees));
  EXPECT_TRUE(agrees) << "the program agrees to end the session";
  ASSERT_TRUE(SendMessageTimeoutA(app, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, nullptr));
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://b/", "http://c/"}));
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "LSTFLAG"), "0");
  ASSERT_TRUE(WaitNormalExit());

  ASSERT_TRUE(Start());
  EXPECT_EQ(CurrentList(), ComboBox1());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://b/", "http://c/"}));
  ASSERT_TRUE(ExitAndWait());
}

TEST_F(ShellTest, RunSettingMaximizedStartsTheMainWindowMaximized) {
  ASSERT_TRUE(Launch(SW_SHOWMAXIMIZED));
  ASSERT_TRUE(WaitMainWindow());
  EXPECT_TRUE(PollUntil([&] { return IsZoomed(main_) != FALSE; }, Timeout{3000}));
  ASSERT_TRUE(ExitAndWait());
}

TEST_F(ShellTest, RunSettingMinimizedStartsOnTheTaskbarOnly) {
  ASSERT_TRUE(Launch(SW_SHOWMINNOACTIVE));
  HWND app = nullptr;
  ASSERT_TRUE(PollUntil([&] { return (app = AppWindow()) != nullptr && IsIconic(app); }))
      << "the taskbar entry is not minimized";
  ASSERT_TRUE(Settle(app));
  EXPECT_FALSE(MainWindowShown());
  EXPECT_EQ(WindowText(app), text::kAppTitle);
  // Restoring the taskbar entry brings the main window back.
  PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitMainWindow());
  ASSERT_TRUE(ExitAndWait());
}

std::string VersionString(const std::vector<char>& info, const char* name, bool* found) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\041103a4\\") + name;
  *found = VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) &&
           value != nullptr;
  return *found ? std::string(value, strnlen(value, length)) : std::string();
}

TEST_F(ShellTest, ExecutableCarriesTheJapaneseVersionRecordAndIcon) {
  const std::string exe = sandbox_.exe();
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), nullptr);
  ASSERT_GT(size, 0u) << "no version record";
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00030000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 932);

  struct Expected {
    const char* name;
    const char* value;
  };
  for (const Expected& e : {Expected{"FileDescription", "Velmaris"},
                            {"ProductName", "Velmaris"},
                            {"InternalName", "velm"},
                            {"OriginalFilename", "velm.exe"},
                            {"FileVersion", "3.0.0.0"},
                            {"ProductVersion", "3.0.0.0"},
                            {"LegalTrademarks", ""},
                            {"Comments", ""}}) {
    SCOPED_TRACE(e.name);
    bool found = false;
    EXPECT_EQ(VersionString(info, e.name, &found), e.value);
    EXPECT_TRUE(found);
  }

  HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  EXPECT_NE(FindResourceA(image, "MAINICON", MAKEINTRESOURCEA(14)), nullptr)  // RT_GROUP_ICON
      << "no icon group MAINICON";
  FreeLibrary(image);
}

// Has the running program load library by name, as a system component in it
// would, and gives the path it was loaded from ("" when it was not).
std::string LoadedByName(DWORD pid, const std::string& library) {
  UniqueHandle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                       PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ,
                                   FALSE, pid));
  void* name = VirtualAllocEx(process.get(), nullptr, library.size() + 1, MEM_COMMIT | MEM_RESERVE,
                              PAGE_READWRITE);
  if (!name ||
      !WriteProcessMemory(process.get(), name, library.c_str(), library.size() + 1, nullptr))
    return "<no memory in the program>";
  // kernel32 lies at the same address in every process.
  const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  UniqueHandle thread(CreateRemoteThread(process.get(), nullptr, 0, load, name, 0, nullptr));
  if (!thread || WaitForSingleObject(thread.get(), 10000) != WAIT_OBJECT_0) return "<no thread>";
  VirtualFreeEx(process.get(), name, 0, MEM_RELEASE);
  velm::UniqueFile modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32First(modules.get(), &module); more;
       more = Module32Next(modules.get(), &module)) {
    if (lstrcmpiA(module.szModule, library.c_str()) == 0) return module.szExePath;
  }
  return "";
}

// A library of a system name planted beside velm.exe is never the one loaded,
// also when something in the program asks for it by name after the start.
TEST_F(ShellTest, ALibraryPlantedBesideTheProgramIsNeverLoaded) {
  ASSERT_TRUE(CopyFileA(WinePath(PLANTED_DLL).c_str(), sandbox_.File("oleacc.dll").c_str(), FALSE));
  ASSERT_TRUE(Start());
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string loaded = LoadedByName(app_.pid(), "oleacc.dll");
  EXPECT_EQ(lstrcmpiA(loaded.c_str(), (std::string(system) + "\\oleacc.dll").c_str()), 0) << loaded;
}

class DialogTest : public VelmTest {
 protected:
  void SetUp() override {
    VelmTest::SetUp();
    ASSERT_TRUE(SeedHistory({"http://a/", "http://b/", "http://c/"}));
    ASSERT_TRUE(Start());
  }
};

TEST_F(DialogTest, ChangeAsksWithTheEntryInTheCaptionAndAllOfItSelected) {
  ASSERT_TRUE(PickEntry(1));
  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonChange, &box));
  EXPECT_EQ(box.caption, std::string("http://b/") + text::kChangeCaptionSuffix);
  EXPECT_EQ(box.texts, std::vector<std::string>{text::kChangePrompt});
  EXPECT_EQ(box.buttons, (std::vector<std::string>{text::kOk, text::kCancel}));
  ASSERT_NE(box.edit, nullptr);
  EXPECT_EQ(EditText(box.edit), "http://b/");
  const EditSelection selection = SelectionOf(box.edit);
  EXPECT_EQ(selection.start, 0);
  EXPECT_EQ(selection.end, 9);
  EXPECT_TRUE(FocusComesTo(box.edit));
  EXPECT_FALSE(IsEnabled(main_)) << "the main window must wait for the modal box";

  ASSERT_TRUE(TypeIntoEdit(box, "http://B2/"));
  ASSERT_TRUE(AnswerAndSettle(box, text::kOk));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://a/", "http://B2/", "http://c/"}));
  EXPECT_EQ(Selection(), 1);
  EXPECT_TRUE(IsEnabled(main_));
}

TEST_F(DialogTest, ChangeLeftWithoutOkKeepsTheEntrySelected) {
  struct Case {
    const char* what;
    WORD key;  // 0: the close box; 1: the Cancel button
  };
  for (const Case& c : {Case{"Cancel", 1}, Case{"Esc", VK_ESCAPE}, Case{"close box", 0}}) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(PickEntry(2));
    DialogView box;
    ASSERT_TRUE(PressForDialog(text::kButtonChange, &box));
    ASSERT_TRUE(TypeIntoEdit(box, "http://typed/"));
    if (c.key == 1) {
      ASSERT_TRUE(AnswerAndSettle(box, text::kCancel));
    } else if (c.key == 0) {
      ASSERT_TRUE(CloseByCloseBox(box));
    } else {
      ASSERT_TRUE(PressKeys(box.window, {c.key}));
      ASSERT_TRUE(WaitGone(box.window));
    }
    ASSERT_TRUE(Settle(main_));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(FindDialog(app_.pid(), {main_, restore_}), nullptr) << "no message may follow";
  }
}

TEST_F(DialogTest, ChangeTakesEnterInTheEditFieldAsOk) {
  ASSERT_TRUE(PickEntry(0));
  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonChange, &box));
  ASSERT_TRUE(TypeIntoEdit(box, "http://entered/"));
  ASSERT_TRUE(PressKeys(box.window, {VK_RETURN}));
  ASSERT_TRUE(WaitGone(box.window));
  ASSERT_TRUE(Settle(main_));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://entered/", "http://b/", "http://c/"}));
}

TEST_F(DialogTest, ChangeToNothingIsRefusedWithTheErrorDialog) {
  ASSERT_TRUE(PickEntry(0));
  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonChange, &box));
  ASSERT_TRUE(TypeIntoEdit(box, ""));
  ASSERT_TRUE(Answer(box, text::kOk));
  DialogView error;
  ASSERT_TRUE(WaitDialog(&error));
  EXPECT_EQ(error.caption, text::kErrorCaption);
  EXPECT_EQ(error.texts, std::vector<std::string>{text::kChangeEmpty});
  EXPECT_EQ(error.buttons, std::vector<std::string>{text::kOk});
  ASSERT_TRUE(AnswerAndSettle(error, text::kOk));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
  EXPECT_EQ(Selection(), 0);
}

TEST_F(DialogTest, CreateAsksWithATwoLinePromptInATallerBox) {
  ASSERT_TRUE(PickEntry(0));
  DialogView change;
  ASSERT_TRUE(PressForDialog(text::kButtonChange, &change));
  const int change_height = OuterHeight(change.window);
  ASSERT_TRUE(AnswerAndSettle(change, text::kCancel));

  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonCreate, &box));
  EXPECT_EQ(box.caption, text::kCreateCaption);
  EXPECT_EQ(box.texts, std::vector<std::string>{text::kCreatePrompt});
  EXPECT_EQ(box.buttons, (std::vector<std::string>{text::kOk, text::kCancel}));
  ASSERT_NE(box.edit, nullptr);
  EXPECT_EQ(EditText(box.edit), "");
  EXPECT_GT(OuterHeight(box.window), change_height) << "the second prompt line needs room";

  ASSERT_TRUE(TypeIntoEdit(box, "http://new/"));
  ASSERT_TRUE(AnswerAndSettle(box, text::kOk));
  EXPECT_EQ(Entries(),
            (std::vector<std::string>{"http://a/", "http://b/", "http://c/", "http://new/"}));
  EXPECT_EQ(Selection(), 0) << "Create leaves the selection as it was";
}

TEST_F(DialogTest, CreateLeftEmptyShowsNothingAndAddsNothing) {
  for (const char* answer : {text::kOk, text::kCancel}) {
    SCOPED_TRACE(answer);
    DialogView box;
    ASSERT_TRUE(PressForDialog(text::kButtonCreate, &box));
    ASSERT_TRUE(AnswerAndSettle(box, answer));
    EXPECT_EQ(FindDialog(app_.pid(), {main_, restore_}), nullptr);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
  }
}

TEST_F(DialogTest, MoveTellsTheUserToPickTheTargetInAPlainMessageBox) {
  ASSERT_TRUE(PickEntry(0));
  DialogView message;
  ASSERT_TRUE(PressForDialog(text::kButtonMove, &message));
  EXPECT_EQ(message.caption, text::kAppTitle);
  EXPECT_EQ(message.texts, std::vector<std::string>{text::kMovePrompt});
  EXPECT_EQ(message.buttons, std::vector<std::string>{text::kOk});
  for (HWND child : ChildWindows(message.window)) {
    const bool icon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                      Matches(child, {.class_name = "Static"});
    EXPECT_FALSE(icon) << "the plain message box has no icon";
  }
  EXPECT_EQ(Caption(), text::kMovingCaption) << "move mode shows while the message is up";
  EXPECT_EQ(WindowText(AppWindow()), text::kAppTitle) << "the taskbar entry keeps the title";
  ASSERT_TRUE(AnswerAndSettle(message, text::kOk));
  EXPECT_EQ(Caption(), text::kMovingCaption);
}

class ExitQuestionTest : public DialogTest {
 protected:
  testing::AssertionResult Ask(DialogView* question) {
    return PressForDialog(text::kButtonExitNoSave, question);
  }
};

TEST_F(ExitQuestionTest, ShowsTheQuestionWithYesAndNo) {
  DialogView question;
  ASSERT_TRUE(Ask(&question));
  EXPECT_EQ(question.caption, text::kConfirmCaption);
  EXPECT_EQ(question.texts, std::vector<std::string>{text::kExitNoSaveQuestion});
  EXPECT_EQ(question.buttons, (std::vector<std::string>{text::kYes, text::kNo}));
  EXPECT_TRUE(FocusComesTo(ButtonByCaption(question.window, text::kYes)));
  ASSERT_TRUE(AnswerAndSettle(question, text::kNo));
}

TEST_F(ExitQuestionTest, EveryAnswerButYesKeepsTheProgramRunning) {
  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(Press(text::kButtonDelete));
  struct Case {
    const char* what;
    WORD key;  // 0: the close box; 1: the No button
  };
  for (const Case& c :
       {Case{"No", 1}, Case{"Esc", VK_ESCAPE}, Case{"N", 'N'}, Case{"close box", 0}}) {
    SCOPED_TRACE(c.what);
    DialogView question;
    ASSERT_TRUE(Ask(&question));
    if (c.key == 1) {
      ASSERT_TRUE(Answer(question, text::kNo));
    } else if (c.key == 0) {
      ASSERT_TRUE(CloseByCloseBox(question));
    } else {
      ASSERT_TRUE(PressKeys(question.window, {c.key}));
      ASSERT_TRUE(WaitGone(question.window));
    }
    ASSERT_TRUE(Settle(main_));
    EXPECT_TRUE(app_.Running());
    EXPECT_TRUE(IsShown(main_));
  }
  // Nothing was set on the way: a later Exit saves the edit.
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://b/", "http://c/"}));
}

TEST_F(ExitQuestionTest, EnterRightAwayAnswersYesAndNothingIsSaved) {
  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(Press(text::kButtonDelete));
  DialogView question;
  ASSERT_TRUE(Ask(&question));
  ASSERT_TRUE(PressKeys(question.window, {VK_RETURN}));
  ASSERT_TRUE(WaitNormalExit());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://a/", "http://b/", "http://c/"}));
  // The window settings are stored all the same.
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "LSTFLAG"), "1");
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "TOP"), "0");
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "LEFT"), "0");
}

TEST_F(ExitQuestionTest, CtrlCCopiesTheDialogAsSevenLinesAlsoAsUnicodeText) {
  ASSERT_TRUE(ClearClipboard(L"\u00E9arlier text"));
  DialogView question;
  ASSERT_TRUE(Ask(&question));
  ASSERT_TRUE(PressKeys(question.window, {VK_CONTROL, 'C'}));
  ASSERT_TRUE(WaitClipboardText(
      DialogCopyText(text::kConfirmCaption, text::kExitNoSaveQuestion, {text::kYes, text::kNo})));
  EXPECT_TRUE(IsShown(question.window)) << "copying does not answer the dialog";
  ASSERT_TRUE(AnswerAndSettle(question, text::kNo));
  EXPECT_TRUE(app_.Running());
}

// With another program's window open, closing a dialog or the restore window
// must not hand the activation to that program: the main window stays in
// front after each.
TEST_F(DialogTest, TheMainWindowStaysInFrontOfAnotherProgramAfterEveryDialog) {
  LaunchedProcess notepad;
  ASSERT_TRUE(
      LaunchedProcess::Start("C:\\windows\\system32\\notepad.exe", sandbox_.dir(), &notepad));
  HWND other = nullptr;
  ASSERT_TRUE(WaitTopLevel(notepad.pid(), {}, &other));
  ASSERT_TRUE(Settle(other));
  // The activation moves with the window manager's events, a moment after
  // the dialog is gone; handed to the other program, it never comes back.
  auto in_front = [&] { return PollUntil([&] { return GetForegroundWindow() == main_; }); };
  SetForegroundWindow(main_);
  ASSERT_TRUE(in_front());

  DialogView box;
  ASSERT_TRUE(PressForDialog(text::kButtonCreate, &box));
  ASSERT_TRUE(AnswerAndSettle(box, text::kCancel));
  EXPECT_TRUE(in_front()) << "after the input box";

  ASSERT_TRUE(PickEntry(0));
  ASSERT_TRUE(PressForDialog(text::kButtonChange, &box));
  ASSERT_TRUE(TypeIntoEdit(box, ""));
  ASSERT_TRUE(Answer(box, text::kOk));
  DialogView error;
  ASSERT_TRUE(WaitDialog(&error));
  ASSERT_TRUE(AnswerAndSettle(error, text::kOk));
  EXPECT_TRUE(in_front()) << "after the error dialog";

  ASSERT_TRUE(OpenRestore());
  ASSERT_TRUE(LeaveRestore(text::kButtonBack));
  EXPECT_TRUE(in_front()) << "after the restore window";

  DialogView question;
  ASSERT_TRUE(PressForDialog(text::kButtonExitNoSave, &question));
  ASSERT_TRUE(AnswerAndSettle(question, text::kNo));
  EXPECT_TRUE(in_front()) << "after the confirmation";
  // The button pressed last had the focus, and has it again.
  EXPECT_TRUE(FocusComesTo(ButtonByCaption(main_, text::kButtonExitNoSave)));
}

TEST_F(ShellTest, RestoreWithoutAnyGenerationSaysThereIsNone) {
  // An empty history leaves OldUrl1 without url1, so nothing can be restored.
  ASSERT_TRUE(ResetHistoryKey());
  ASSERT_TRUE(Start());
  DialogView error;
  ASSERT_TRUE(PressForDialog(text::kButtonRestoreOld, &error));
  EXPECT_EQ(error.caption, text::kErrorCaption);
  EXPECT_EQ(error.texts, std::vector<std::string>{text::kNoGenerations});
  EXPECT_EQ(error.buttons, std::vector<std::string>{text::kOk});
  ASSERT_TRUE(AnswerAndSettle(error, text::kOk));
  EXPECT_FALSE(IsShown(restore_));
  EXPECT_TRUE(IsEnabled(main_));
  ASSERT_TRUE(ExitAndWait());
}

// A read-only velm.ini, as on a write-protected medium: the backup is lost,
// the history is not.
TEST_F(ShellTest, AnUnwritableSettingsFileCostsTheBackupNotTheHistory) {
  ASSERT_TRUE(SeedHistory({"http://a/", "http://b/", "http://c/"}));
  ASSERT_TRUE(WriteIni("[FORM]\r\nTOP=0\r\n"));
  ASSERT_TRUE(SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(Launch());
  DialogView report;
  ASSERT_TRUE(e2e::WaitDialog(app_.pid(), {}, &report));
  EXPECT_EQ(WindowText(GetDlgItem(report.window, 0xFFFF)),
            Filled(text::kSettingsWriteError, IniPath()) + ".");
  EXPECT_FALSE(MainWindowShown()) << "the report comes first";
  ASSERT_TRUE(Answer(report, "OK"));
  ASSERT_TRUE(WaitMainWindow());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
  ASSERT_TRUE(CreateEntry("http://d/"));
  ASSERT_TRUE(PressForDialog(text::kButtonExit, &report));  // the view cannot be stored either
  ASSERT_TRUE(Answer(report, "OK"));
  ASSERT_TRUE(WaitNormalExit());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://a/", "http://b/", "http://c/", "http://d/"}));
  SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A scanner holding velm.ini without sharing for a moment as the program
// starts: the read waits for it, and the start keeps its backup.
TEST_F(ShellTest, AVelmIniHeldForAMomentAtTheStartIsWaitedFor) {
  ASSERT_TRUE(SeedHistory({"http://a/"}));
  ASSERT_TRUE(WriteIni("[OldUrl1]\r\nurl1=http://old/\r\n"));
  {
    const velm::UniqueFile held(CreateFileA(IniPath().c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    ASSERT_TRUE(Launch());
    // The read comes right after the application window.
    ASSERT_TRUE(PollUntil([&] { return AppWindow() != nullptr; }));
    Sleep(300);
  }
  ASSERT_TRUE(WaitMainWindow());  // names the report that came instead
  EXPECT_EQ(Generation(IniPath(), 1), (std::map<int, std::string>{{1, "http://a/"}}));
}

// A scanner reading velm.ini, shared for reading only, for a moment as the
// program writes it: the start's commit and 終了 each wait for it, and both
// writes arrive.
TEST_F(ShellTest, AVelmIniHeldForAMomentAtWriteTimeIsWaitedFor) {
  ASSERT_TRUE(SeedHistory({"http://a/"}));
  ASSERT_TRUE(WriteIni("[OldUrl1]\r\nurl1=http://old/\r\n"));
  auto hold = [&] {
    return velm::UniqueFile(CreateFileA(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  };
  {
    const velm::UniqueFile held = hold();
    ASSERT_TRUE(held.valid());
    ASSERT_TRUE(Launch());
    // The read, which the hold lets through, and the commit come right
    // after the application window.
    ASSERT_TRUE(PollUntil([&] { return AppWindow() != nullptr; }));
    Sleep(200);
  }
  ASSERT_TRUE(WaitMainWindow());  // names the report that came instead
  EXPECT_EQ(Generation(IniPath(), 1), (std::map<int, std::string>{{1, "http://a/"}}));
  {
    const velm::UniqueFile held = hold();
    ASSERT_TRUE(held.valid());
    ASSERT_TRUE(PostClick(main_, text::kButtonExit));
    Sleep(200);
  }
  ASSERT_TRUE(WaitNormalExit());
  EXPECT_EQ(ProfileString(IniPath(), "FORM", "LSTFLAG"), "1");
}

// Run by full_disk_e2e_test.sh in a folder on a disk it made full.
TEST_F(ShellTest, OnAFullDiskVelmIniStaysWholeAndTheErrorIsReported) {
  const char* folder = std::getenv("VELM_FULL_DISK");
  if (folder == nullptr) GTEST_SKIP() << "run by full_disk_e2e_test.sh";
  const std::string dir = WinePath(folder), ini = dir + "\\velm.ini";
  const auto before = ReadFileBytes(ini);
  ASSERT_TRUE(SeedHistory({"http://new/" + std::string(200, 'x')}));  // a larger backup
  ASSERT_TRUE(LaunchedProcess::Start(dir + "\\velm.exe", dir, &app_));
  DialogView report;
  ASSERT_TRUE(e2e::WaitDialog(app_.pid(), {}, &report));
  EXPECT_EQ(WindowText(GetDlgItem(report.window, 0xFFFF)),
            Filled(text::kSettingsWriteError, ini) + ".");
  app_.Stop();
  EXPECT_EQ(ReadFileBytes(ini), before) << "velm.ini changed";
  EXPECT_FALSE(FileExists(ini + ".new"));
}

TEST_F(ShellTest, BadHistoryValueIsReportedBeforeTheMainWindowAppears) {
  ASSERT_TRUE(SeedHistory({"http://1/", "http://2/", "http://3/", "http://4/"}));
  const RegValue dword{REG_DWORD, std::string("\x05\x00\x00\x00", 4)};
  ASSERT_TRUE(SetHistoryValue("url3", dword));
  ASSERT_TRUE(Launch());

  DialogView report;
  ASSERT_TRUE(e2e::WaitDialog(app_.pid(), {}, &report));
  EXPECT_STREQ(report.class_name.c_str(), "#32770") << "the report is a system message box";
  EXPECT_EQ(report.caption, text::kAppTitle);
  EXPECT_EQ(WindowText(GetDlgItem(report.window, 0xFFFF)),
            Filled(text::kHistoryTypeError, "url3") + ".");
  EXPECT_EQ(report.buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(MainWindowShown()) << "the main window showed before the report was closed";

  ASSERT_TRUE(Answer(report, "OK"));
  ASSERT_TRUE(WaitMainWindow());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"http://1/", "http://2/", "http://4/"}));
  EXPECT_EQ(Generation(IniPath(), 1),
            (std::map<int, std::string>{{1, "http://1/"}, {2, "http://2/"}, {4, "http://4/"}}));

  // The close writes the list closed up: the bad value is gone, also after クリア.
  ASSERT_TRUE(CreateEntry("http://new/"));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), SavedUrls({"http://1/", "http://2/", "http://4/", "http://new/"}));
  ASSERT_TRUE(SetHistoryValue("url3", dword));
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(e2e::WaitDialog(app_.pid(), {}, &report));
  ASSERT_TRUE(Answer(report, "OK"));
  ASSERT_TRUE(WaitMainWindow());
  ASSERT_TRUE(Press(text::kButtonClear));
  ASSERT_TRUE(ExitAndWait());
  EXPECT_EQ(ReadHistory(), HistoryValues{});
}

}  // namespace
}  // namespace e2e
