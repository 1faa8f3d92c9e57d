// The shell's Win32 pieces: the error report and the start-up failure box
// (system message boxes, read and closed from a timer), the single-instance
// guard, the application window and the message loop.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/texts.h"
#include "shell/app_window.h"
#include "shell/dll_search.h"
#include "shell/error_report.h"
#include "shell/form_preview.h"
#include "shell/instance_guard.h"
#include "shell/message_loop.h"
#include "shell/startup_failure.h"
#include "ui/form_layout.h"
#include "ui/win32_controls.h"
#include "ui/win32_form.h"
#include "ui/win32_window_error.h"
#include "wine_test_util.h"

namespace velm {
namespace {

using test::ModalScript;
using test::PumpMessages;
using test::RecordingEvents;

constexpr char kMessageBoxClass[] = "#32770";

struct BoxSeen {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  bool other_enabled = true;
};

// Reads the system message box, then presses its OK button.
ModalScript::Step ReadAndClose(BoxSeen* seen, HWND other = nullptr) {
  return [=](HWND box) {
    seen->caption = ui::WindowText(box);
    seen->text = ui::WindowText(GetDlgItem(box, 0xFFFF));
    seen->owner = GetWindow(box, GW_OWNER);
    if (other) seen->other_enabled = IsWindowEnabled(other) != FALSE;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return true;
  };
}

const ui::ControlLayout kControls[] = {
    {400, "Button1", ui::ControlKind::kButton, 8, 8, 73, 25, "one", 0, true, 12, false},
    {401, "Button2", ui::ControlKind::kButton, 88, 8, 73, 25, "two", 1, true, 12, false},
};
const ui::FormLayout kMainLayout = {
    "ShellMain", "Velmaris", ui::FrameKind::kMainWindow, 300, 100, 50, 50, true, 12, kControls};
const ui::FormLayout kRestoreLayout = {
    "ShellRestore", "Restore", ui::FrameKind::kToolDialog, 180, 140, 120, 90, true, 12, kControls};

// What the window manager was handed, through a fake of its functions (Wine
// shows no preview).
struct Picture {
  int width = 0, height = 0;
  std::size_t colours = 0;
};
struct DwmSeen {
  std::vector<DWORD> attributes_set;
  Picture thumbnail, live;
  int invalidations = 0;
} dwm_seen;

HRESULT Record(HBITMAP bitmap, Picture* seen) {
  DIBSECTION dib{};
  GetObjectA(bitmap, sizeof dib, &dib);
  const auto* pixels = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
  const int size = dib.dsBm.bmWidth * dib.dsBm.bmHeight;
  *seen = {dib.dsBm.bmWidth, dib.dsBm.bmHeight, std::set(pixels, pixels + size).size()};
  return S_OK;
}

// The fake's frame: 3 invisible pixels left, right and below, as Windows 10
// leaves 7.
RECT VisibleFrameOf(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return {frame.left + 3, frame.top, frame.right - 3, frame.bottom - 3};
}

const DwmCalls& FakeDwm() {
  static const DwmCalls calls{
      [](HWND window, DWORD, void* frame, DWORD) {
        return *static_cast<RECT*>(frame) = VisibleFrameOf(window), S_OK;
      },
      [](HWND, DWORD attribute, const void*, DWORD) {
        dwm_seen.attributes_set.push_back(attribute);
        return S_OK;
      },
      [](HWND, HBITMAP picture, DWORD) { return Record(picture, &dwm_seen.thumbnail); },
      [](HWND, HBITMAP picture, POINT*, DWORD) { return Record(picture, &dwm_seen.live); },
      [](HWND) { return ++dwm_seen.invalidations, S_OK; }};
  return calls;
}

TEST(ErrorReport, ShowsTheMessageWithItsFullStopUnderTheApplicationTitle) {
  AppWindow app(text::kAppTitle);
  ui::Win32Form form(kMainLayout, app.hwnd());
  form.window().Show();
  SetFocus(GetDlgItem(form.hwnd(), 401));
  SetWindowPos(app.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  BoxSeen seen;
  {
    ModalScript script(kMessageBoxClass, {ReadAndClose(&seen, form.hwnd())});
    ShowErrorReport(app.hwnd(), FormatText(text::kSettingsWriteError, "D:\\tools\\velm.ini"));
    EXPECT_TRUE(script.finished());
  }
  EXPECT_EQ(seen.caption, text::kAppTitle);
  EXPECT_EQ(seen.text, FormatText(text::kSettingsWriteError, "D:\\tools\\velm.ini") + ".");
  EXPECT_EQ(seen.owner, app.hwnd());
  RECT work, owner;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(app.hwnd(), &owner);
  EXPECT_EQ(owner.left, (work.left + work.right) / 2) << "the owner went to the form's monitor";
  EXPECT_EQ(owner.top, (work.top + work.bottom) / 2);
  EXPECT_FALSE(seen.other_enabled) << "the program's other windows are disabled meanwhile";
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
  EXPECT_EQ(GetActiveWindow(), form.hwnd()) << "the window active before is active again";
  EXPECT_EQ(GetFocus(), GetDlgItem(form.hwnd(), 401)) << "and its control has the focus back";

  const std::string index_error = FormatText(text::kIndexError, 4);
  {
    ModalScript script(kMessageBoxClass, {ReadAndClose(&seen)});
    ShowErrorReport(app.hwnd(), index_error);
  }
  EXPECT_EQ(seen.text, index_error) << "ends in ')': no full stop";
}

// A second monitor left of the primary, where the active form stands: one
// screen under Wine, so the monitors are the test's.
TEST(ErrorReport, OpensOnTheActiveFormsMonitorNotThePrimarys) {
  AppWindow app(text::kAppTitle);
  ui::Win32Form form(kMainLayout, app.hwnd());
  form.window().Show();
  BoxSeen seen;
  ModalScript script(kMessageBoxClass, {ReadAndClose(&seen)});
  ShowErrorReport(app.hwnd(), "x", [](HWND window) {
    return window ? ui::PixelRect{-1920, 0, 0, 1040} : ui::PixelRect{0, 0, 1280, 984};
  });
  RECT owner;
  GetWindowRect(app.hwnd(), &owner);
  EXPECT_EQ(owner.left, -960);
  EXPECT_EQ(owner.top, 520);
}

TEST(ErrorReport, CancelsTheMouseCaptureFirst) {
  HWND holder = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                nullptr, nullptr, nullptr);
  SetCapture(holder);
  ASSERT_EQ(GetCapture(), holder);
  BoxSeen seen;
  HWND capture_during = holder;
  {
    ModalScript script(kMessageBoxClass, {[&](HWND box) {
                         capture_during = GetCapture();
                         return ReadAndClose(&seen)(box);
                       }});
    ShowErrorReport(nullptr, "x");
  }
  EXPECT_NE(capture_during, holder);
  DestroyWindow(holder);
}

TEST(StartupFailure, NamesTheErrorItsModuleAndPlace) {
  BoxSeen seen;
  ModalScript script(kMessageBoxClass, {ReadAndClose(&seen)});
  try {
    ui::ThrowWindowCreationError();
  } catch (...) {
    ShowStartupFailure();
  }
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(seen.caption, text::kStartupFailureCaption);
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_EQ(seen.text.find("velm::ui::WindowCreationError"), 0u) << seen.text;
  EXPECT_NE(seen.text.find(" wine_shell_test.exe "), std::string::npos) << seen.text;
  EXPECT_TRUE(seen.text.ends_with(std::string("\n") + text::kWindowCreateError + ".")) << seen.text;
}

// planted.dll lies beside this program, as one might beside velm.exe.
TEST(DllSearch, ADllBesideTheProgramIsNoLongerFoundByName) {
  HMODULE planted = LoadLibraryA("planted.dll");
  ASSERT_NE(planted, nullptr) << "the probe is not beside the test";
  FreeLibrary(planted);
  ASSERT_TRUE(RestrictDllSearchToSystem32());
  EXPECT_EQ(LoadLibraryA("planted.dll"), nullptr);
  EXPECT_NE(LoadLibraryA("version.dll"), nullptr) << "System32 is still searched";
}

TEST(InstanceGuard, ASecondGuardGivesWayUntilTheFirstIsGone) {
  constexpr char kName[] = "VelmGuardTest";
  {
    std::optional<InstanceGuard> first = InstanceGuard::Acquire(kName);
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(InstanceGuard::Acquire(kName).has_value());
    EXPECT_FALSE(InstanceGuard::Acquire(kName).has_value()) << "giving way leaks no handle";
  }
  EXPECT_TRUE(InstanceGuard::Acquire(kName).has_value()) << "free again once the holder ends";
}

// A copy running as administrator holds a mutex this one may not open: that
// copy runs all the same. An empty access list denies every right.
TEST(InstanceGuard, AMutexThatDeniesAccessCountsAsAnotherCopy) {
  constexpr char kName[] = "VelmGuardDeniedTest";
  SECURITY_DESCRIPTOR descriptor{};
  ACL acl{};
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  InitializeAcl(&acl, sizeof acl, ACL_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  const UniqueHandle elevated(CreateMutexA(&attributes, FALSE, kName));
  ASSERT_FALSE(UniqueHandle(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kName)).valid())
      << "Wine enforces the list";
  EXPECT_FALSE(InstanceGuard::Acquire(kName).has_value());
}

class AppWindowTest : public ::testing::Test {
 protected:
  AppWindowTest() : app(text::kAppTitle, FakeDwm), form(kMainLayout, app.hwnd()) {
    dwm_seen = {};
    form.Bind(&events);
    app.SetMainForm(form.hwnd());
  }
  AppWindow app;
  ui::Win32Form form;
  RecordingEvents events;
};

TEST_F(AppWindowTest, IsTheTitledZeroSizeOwnerWithAShortSystemMenu) {
  EXPECT_EQ(ui::WindowText(app.hwnd()), text::kAppTitle);
  EXPECT_EQ(GetWindow(form.hwnd(), GW_OWNER), app.hwnd());
  RECT r;
  GetWindowRect(app.hwnd(), &r);
  EXPECT_TRUE(IsRectEmpty(&r));
  HMENU menu = GetSystemMenu(app.hwnd(), FALSE);
  for (UINT item : {SC_MAXIMIZE, SC_SIZE, SC_MOVE})
    EXPECT_EQ(GetMenuState(menu, item, MF_BYCOMMAND), static_cast<UINT>(-1)) << item;
  EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

// What the taskbar previews: the main window as it shows, fitted into the
// size the system asks for with its proportions kept, opaque.
TEST_F(AppWindowTest, APreviewIsAPictureOfTheMainWindowFittedIntoTheSizeAsked) {
  form.window().Show();
  PumpMessages();
  const FormPicture whole = CaptureForm(form.hwnd(), SystemDwmCalls());
  const UniqueBitmap picture = FitPicture(whole.bitmap.get(), 200, 120);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectA(picture.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  RECT outer;
  GetWindowRect(form.hwnd(), &outer);
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(dib.dsBm.bmWidth, 200) << "the form is wider than 200 x 120";
  EXPECT_NEAR(dib.dsBm.bmHeight, 200.0 * (outer.bottom - outer.top) / (outer.right - outer.left),
              1);
  const auto* pixels = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
  std::set<std::uint32_t> colours(pixels, pixels + dib.dsBm.bmWidth * dib.dsBm.bmHeight);
  EXPECT_GE(colours.size(), 3u) << "title bar, face and button texts";
  for (std::uint32_t colour : colours) EXPECT_EQ(colour >> 24, 0xFFu);

  // At its own size, a control stands where the screen shows it.
  ASSERT_EQ(GetObjectA(whole.bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  RECT button;
  GetWindowRect(GetDlgItem(form.hwnd(), 401), &button);
  HDC screen = GetDC(nullptr);
  int differing = 0;
  for (int y = button.top; y < button.bottom; ++y)
    for (int x = button.left; x < button.right; ++x) {
      const std::uint32_t drawn = static_cast<const std::uint32_t*>(
          dib.dsBm.bmBits)[(y - outer.top) * dib.dsBm.bmWidth + x - outer.left];
      const COLORREF shown = GetPixel(screen, x, y);
      differing += RGB(drawn >> 16 & 0xFF, drawn >> 8 & 0xFF, drawn & 0xFF) != shown;
    }
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(differing, 0);
}

HWND printed = nullptr;  // the last window asked to print itself

LRESULT CALLBACK RecordPrint(int code, WPARAM wparam, LPARAM lparam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && call->message == WM_PRINT &&
      !(GetWindowLongA(call->hwnd, GWL_STYLE) & WS_CHILD))
    printed = call->hwnd;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

constexpr UINT kSendIconicThumbnail = 0x0323;
constexpr UINT kSendIconicLivePreview = 0x0326;

// The system's request for a thumbnail (at most 200 x 120 here) is answered
// with the form the user sees: the main window, or the restore window while
// it is shown; a Peek's picture is the form's visible frame at its size.
TEST_F(AppWindowTest, APreviewRequestDrawsTheFormOnShow) {
  ui::Win32Form restore(kRestoreLayout, app.hwnd());
  app.SetRestoreForm(restore.hwnd());
  form.window().Show();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPrint, nullptr, GetCurrentThreadId());
  SendMessageA(app.hwnd(), kSendIconicThumbnail, 0, MAKELPARAM(120, 200));
  EXPECT_EQ(printed, form.hwnd());
  EXPECT_EQ(dwm_seen.thumbnail.width, 200) << "the form is wider than 200 x 120";
  SendMessageA(app.hwnd(), kSendIconicLivePreview, 0, 0);
  const RECT frame = VisibleFrameOf(form.hwnd());
  EXPECT_EQ(dwm_seen.live.width, frame.right - frame.left);
  EXPECT_EQ(dwm_seen.live.height, frame.bottom - frame.top);
  RECT peek;
  GetWindowRect(app.hwnd(), &peek);
  EXPECT_EQ(peek.left, frame.left) << "a Peek shows it where the form is";
  restore.window().Show();
  EXPECT_EQ(dwm_seen.invalidations, 1) << "a form shown";
  SendMessageA(app.hwnd(), kSendIconicThumbnail, 0, MAKELPARAM(120, 200));
  EXPECT_EQ(printed, restore.hwnd());
  // Closed with its caption's x: no input reaches the loop.
  ShowWindow(restore.hwnd(), SW_HIDE);
  EXPECT_EQ(dwm_seen.invalidations, 2) << "a form hidden";
  UnhookWindowsHookEx(hook);
}

// Given once, the pictures go out of date with the next input, once.
TEST_F(AppWindowTest, PreviewsGoOutOfDateAfterInputOnceOneWasGiven) {
  form.window().Show();
  const HWND forms[] = {form.hwnd()};
  for (int expected : {0, 1}) {  // none given, then one
    PostMessageA(form.hwnd(), WM_MOUSEMOVE, 0, 0);
    PostMessageA(form.hwnd(), WM_MOUSEMOVE, 0, 0);
    PostQuitMessage(0);
    RunMessageLoop(forms, [&] { app.InvalidatePreviews(); });
    EXPECT_EQ(dwm_seen.invalidations, expected);
    SendMessageA(app.hwnd(), kSendIconicThumbnail, 0, MAKELPARAM(120, 200));
  }
}

// Minimized, the forms are hidden: the previews show the restore window as it
// was, where it was.
TEST_F(AppWindowTest, MinimizedThePreviewsShowTheFormAsItWas) {
  ui::Win32Form restore(kRestoreLayout, app.hwnd());
  app.SetRestoreForm(restore.hwnd());
  app.ShowOnTaskbar();
  form.window().Show();
  restore.window().Show();
  EXPECT_TRUE(dwm_seen.attributes_set.empty()) << "offered once the loop runs";
  PumpMessages();
  EXPECT_EQ(dwm_seen.attributes_set, (std::vector<DWORD>{7, 10}));
  const RECT frame = VisibleFrameOf(restore.hwnd());
  SendMessageA(form.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpMessages();
  ASSERT_TRUE(IsIconic(app.hwnd()));
  ASSERT_FALSE(IsWindowVisible(restore.hwnd()));

  SendMessageA(app.hwnd(), kSendIconicThumbnail, 0, MAKELPARAM(1000, 1000));
  EXPECT_EQ(dwm_seen.thumbnail.width, frame.right - frame.left);
  EXPECT_EQ(dwm_seen.thumbnail.height, frame.bottom - frame.top);
  EXPECT_GE(dwm_seen.thumbnail.colours, 3u) << "title bar, face and button texts";
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(app.hwnd(), &placement);
  EXPECT_EQ(placement.rcNormalPosition.left, frame.left) << "a Peek shows it where it was";
}

TEST_F(AppWindowTest, ItsCloseIsTheMainFormsCloseRequestAlsoWhileThatIsDisabled) {
  form.window().SetEnabled(false);
  SendMessageA(app.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(events.log, std::vector<std::string>{"close"});
  EXPECT_TRUE(IsWindow(app.hwnd()));
}

TEST_F(AppWindowTest, MinimizingTheMainFormMinimizesTheApplicationAndRestoreBringsItBack) {
  app.ShowOnTaskbar();
  form.window().Show();
  SendMessageA(form.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpMessages();
  EXPECT_TRUE(IsIconic(app.hwnd()));
  EXPECT_FALSE(IsIconic(form.hwnd()));
  EXPECT_FALSE(IsWindowVisible(form.hwnd())) << "the owned form goes with it";
  SendMessageA(app.hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpMessages();
  EXPECT_FALSE(IsIconic(app.hwnd()));
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
}

TEST_F(AppWindowTest, LogOffSavesBeforeAnsweringThenEndsTheLoopWithoutACloseRequest) {
  int saves = 0;
  app.SetSessionEndSave([&] { ++saves; });
  SendMessageA(app.hwnd(), WM_ENDSESSION, FALSE, 0);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
      << "an ending that was called off";
  EXPECT_EQ(saves, 0);
  SendMessageA(app.hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(saves, 1);
  const HWND forms[] = {form.hwnd()};
  EXPECT_EQ(RunMessageLoop(forms), 0);
  EXPECT_TRUE(events.log.empty());
}

// After the user's input to a form, and only then, what it shows may have
// changed (the previews go out of date).
TEST_F(AppWindowTest, TheLoopGivesFormsTheirDialogKeysAndEndsOnQuit) {
  form.window().Show();
  SetFocus(GetDlgItem(form.hwnd(), 400));
  PostMessageA(GetDlgItem(form.hwnd(), 400), WM_KEYDOWN, VK_TAB, 0x000F0001);
  PostMessageA(form.hwnd(), WM_MOUSEMOVE, 0, 0);
  PostMessageA(form.hwnd(), WM_NULL, 0, 0);
  PostMessageA(app.hwnd(), WM_KEYDOWN, 'A', 0);
  PostQuitMessage(3);
  const HWND forms[] = {form.hwnd()};
  int after_input = 0;
  EXPECT_EQ(RunMessageLoop(forms, [&] { ++after_input; }), 3);
  EXPECT_EQ(GetFocus(), GetDlgItem(form.hwnd(), 401)) << "Tab went to the next control";
  EXPECT_EQ(after_input, 2);
}

}  // namespace
}  // namespace velm
