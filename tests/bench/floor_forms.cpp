// The same-window floor: velm.exe's own windows and nothing else. The
// application window, the main window with its controls and fonts from
// Form1Layout, shown the way velm.exe shows it, then the restore window
// hidden from Form2Layout; the Exit button's close request ends the message
// loop and the process, windows as they are. It touches neither the registry
// nor velm.ini and has no single-instance guard, so velm.exe's time beyond
// it is what the program does besides making its windows. Built from the
// product's own tables and toolkit, it follows any change to either.
#include <windows.h>

#include "core/texts.h"
#include "forms/main_window.h"
#include "forms/restore_window.h"
#include "shell/app_window.h"
#include "shell/message_loop.h"
#include "shell/phase_marks.h"
#include "ui/win32_form.h"

namespace {

// The main window's events: Exit asks to close, as velm.exe's does; the
// close request ends the loop. Nothing else answers.
class EndOnClose final : public velm::ui::FormEvents {
 public:
  explicit EndOnClose(velm::ui::Window& window) : window_(window) {}

  void OnClick(int control_id) override {
    if (control_id == velm::kExitButton) window_.RequestClose();
  }
  void OnPick(int) override {}
  void OnCloseRequest() override {
    velm::MarkPhase("close request");
    PostQuitMessage(0);
  }

 private:
  velm::ui::Window& window_;
};

int Run() {
  velm::AppWindow app(velm::text::kAppTitle);
  velm::MarkPhase("app window");
  velm::ui::Win32Form main_view(velm::Form1Layout(), app.hwnd());
  EndOnClose events(main_view.window());
  main_view.Bind(&events);
  app.SetMainForm(main_view.hwnd());
  velm::MarkPhase("main form");
  if (velm::Form1Layout().visible) {
    app.ShowOnTaskbar();
    main_view.window().Show();
  }
  velm::MarkPhase("shown");
  velm::ui::Win32Form restore_view(velm::Form2Layout(), app.hwnd());
  velm::MarkPhase("restore form");

  const HWND forms[] = {main_view.hwnd(), restore_view.hwnd()};
  velm::RunMessageLoop(forms);
  velm::MarkPhase("loop ended");
  velm::MarkPhase("exit");
  velm::SavePhaseLog();
  ExitProcess(0);  // as velm.exe ends: the system takes the windows down
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  velm::MarkPhase("entry");
  try {
    return Run();
  } catch (...) {
    return 1;  // a window the system refused
  }
}
