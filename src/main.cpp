// The program's entry: the single-instance guard, the application title and
// window, the two forms in their order, the message loop and the shutdown.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/texts.h"
#include "dialogs/win32_dialogs.h"
#include "forms/app_services.h"
#include "forms/main_window.h"
#include "forms/restore_window.h"
#include "shell/app_window.h"
#include "shell/clipboard.h"
#include "shell/dll_search.h"
#include "shell/error_report.h"
#include "shell/exe_path.h"
#include "shell/instance_guard.h"
#include "shell/message_loop.h"
#include "shell/phase_marks.h"
#include "shell/startup_failure.h"
#include "stores/phase_timed.h"
#include "stores/win32_registry.h"
#include "stores/win32_settings_file.h"
#include "ui/dispatch.h"
#include "ui/win32_form.h"

namespace velm {

namespace {

constexpr char kGuardName[] = "EX_Mutex";
constexpr int kStartupFailure = 1;

// Everything the run owns. Members go in reverse order: the restore window
// before the main window, both before the application window.
struct Application {
  Win32SettingsFile win32_settings_file;
  Win32Registry win32_registry;
  SettingsFile& settings_file = PhaseTimed(win32_settings_file);
  RegistryBackend& registry = PhaseTimed(win32_registry);
  std::unique_ptr<AppWindow> app;
  std::unique_ptr<Win32Dialogs> dialogs;
  std::unique_ptr<AppServices> services;
  std::unique_ptr<ui::Win32Form> main_view;
  std::unique_ptr<TForm1> main_form;
  std::unique_ptr<ui::Win32Form> restore_view;
  std::unique_ptr<TForm2> restore_form;

  ~Application() { ui::SetErrorReporter(nullptr); }

  // Steps up to the main window's creation handler. Throws what the system
  // refuses: a start-up failure.
  void CreateMainWindow(const char* title) {
    app = std::make_unique<AppWindow>(title);
    MarkPhase("app window");
    HWND app_window = app->hwnd();
    ui::SetErrorReporter([app_window](const Error& e) { ShowErrorReport(app_window, e.what()); });
    dialogs = std::make_unique<Win32Dialogs>(app_window);
    auto end_application = [] {
      MarkPhase("FormClose");
      PostQuitMessage(0);
    };
    auto copy = [this](const std::string& entry) {
      CopyEntryToClipboard(main_view->hwnd(), entry);
    };
    services.reset(new AppServices{settings_file, registry, *dialogs, ExecutablePath(),
                                   end_application, copy});
    main_view = std::make_unique<ui::Win32Form>(Form1Layout(), app_window);
    // The restore window exists before the message loop runs, so before any
    // click can open it.
    main_form =
        std::make_unique<TForm1>(*main_view, *services, [this](int count, IniDocument settings) {
          restore_form->Open(count, std::move(settings));
        });
    app->SetMainForm(main_view->hwnd());
    app->SetSessionEndSave([form = main_form.get()] { form->SaveAtSessionEnd(); });
    MarkPhase("main form");
  }

  void CreateRestoreWindow() {
    restore_view = std::make_unique<ui::Win32Form>(Form2Layout(), app->hwnd());
    restore_form = std::make_unique<TForm2>(*restore_view, *main_form);
    app->SetRestoreForm(restore_view->hwnd());
  }

  // Wine does not apply the start-up show command by itself.
  void ApplyShowCommand(int command) {
    if (command == SW_SHOWMAXIMIZED)
      ShowWindow(main_view->hwnd(), SW_SHOWMAXIMIZED);
    else if (command == SW_SHOWMINNOACTIVE)
      app->Minimize();
  }
};

// The end of a run. The process ends at once, with its windows as they are:
// the system takes them down with it, which is all that hiding and
// destroying them one by one would do, and that would cost every close a
// few milliseconds of window-server requests. No handler runs any more.
[[noreturn]] void EndProcess(UINT exit_code) {
  MarkPhase("exit");
  SavePhaseLog();
  ExitProcess(exit_code);
}

// Returns only after a start-up failure; a run that got going ends the
// process itself.
int Run() {
  const char* title = text::kAppTitle;  // set before any window exists
  Application application;
  try {
    application.CreateMainWindow(title);
  } catch (...) {
    ShowStartupFailure();
    return kStartupFailure;
  }
  // An error here is reported before the window appears; the handler has
  // shown the saved view all the same.
  ui::Dispatch([&] { application.main_form->FormCreate(); });
  MarkPhase("FormCreate");
  if (Form1Layout().visible) {
    application.app->ShowOnTaskbar();
    application.main_view->window().Show();
  }
  MarkPhase("shown");
  // Created after the main window shows; no click or pick is handled before
  // the message loop runs, so no handler can look for it before it exists.
  try {
    application.CreateRestoreWindow();
  } catch (...) {
    ShowStartupFailure();
    return kStartupFailure;
  }
  MarkPhase("restore form");
  application.ApplyShowCommand(StartupShowCommand());

  const HWND forms[] = {application.main_view->hwnd(), application.restore_view->hwnd()};
  // The list's command keys are the main window's; the restore window has
  // only its buttons' keys.
  ui::CommandKeys keys(application.main_view->hwnd());
  RunMessageLoop(
      forms, [&application] { application.app->InvalidatePreviews(); }, &keys);
  MarkPhase("loop ended");
  EndProcess(0);
}

}  // namespace

}  // namespace velm

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  velm::RestrictDllSearchToSystem32();
  velm::MarkPhase("entry");
  // A second copy gives way silently, before anything is touched.
  std::optional<velm::InstanceGuard> guard = velm::InstanceGuard::Acquire(velm::kGuardName);
  if (!guard) return 0;
  velm::MarkPhase("guard");
  return velm::Run();
}
