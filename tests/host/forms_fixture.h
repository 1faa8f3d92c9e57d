// The two forms on the headless toolkit, over a velm.ini in a fresh temporary
// folder (on a disk that can be made to fail) and an in-memory history key,
// with scripted dialogs. Start() runs what the shell does at start-up: TForm1
// created (FormCreate, then shown), then TForm2, hidden. FormsWorld is the
// whole world of one run, for tests that need many; FormsTest is one test's.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/error.h"
#include "document_profile.h"
#include "failing_disk.h"
#include "forms/main_window.h"
#include "forms/restore_window.h"
#include "headless_toolkit.h"
#include "memory_registry.h"
#include "recording_file.h"
#include "scratch_dir.h"
#include "scripted_dialogs.h"
#include "stores/history_store.h"
#include "ui/dispatch.h"

namespace velm {

// One error report as the user met it.
struct Report {
  std::string text;
  ErrorKind kind;
  bool main_window_visible;  // the start-up report comes before the window
};

class FormsWorld {
 public:
  FormsWorld();
  ~FormsWorld();
  FormsWorld(const FormsWorld&) = delete;
  FormsWorld& operator=(const FormsWorld&) = delete;

  void Start();

  // History key and settings file.
  void SeedHistory(const std::vector<std::string>& values);  // url1.. in order; "" = absent
  std::vector<std::string> HistoryTexts() const;             // url1..url25, "" = absent
  std::string Ini(const std::string& section, const std::string& key);
  void SetIni(const std::string& section, const std::string& key, const std::string& value);

  // The main window's lists and the restore window's, as plain vectors.
  std::vector<std::string> ListBoxEntries() {
    return main_view.HeadlessListAt(kListView).Entries();
  }
  std::vector<std::string> ComboEntries() {
    return main_view.HeadlessListAt(kDropDownView).Entries();
  }
  ui::HeadlessList& ListBox1() { return main_view.HeadlessListAt(kListView); }
  ui::HeadlessList& ComboBox1() { return main_view.HeadlessListAt(kDropDownView); }
  ui::HeadlessWindow& MainWindow() { return main_view.window(); }
  ui::HeadlessWindow& RestoreWindow() { return restore_view.window(); }

  std::vector<std::string> ReportTexts() const;

  // Picks the entry at pick (-1: none), answers the input box with typed, if
  // any, presses button, then picks then_pick (-1: none).
  void Perform(int pick, int button, const char* typed = nullptr, int then_pick = -1);

  testing::ScratchDir folder;
  std::u16string exe_path;
  std::string ini_path;
  FailingDisk disk;
  testing::RecordingFile settings_file{disk};  // the program's velm.ini
  DocumentProfile file_profile{disk};          // the tests' view of it, one value at a time
  MemoryRegistry registry;
  ui::ScriptedDialogs dialogs;
  std::vector<Report> reports;
  int end_requests = 0;
  std::vector<std::string> copied;  // what went to the clipboard, in order
  AppServices services;
  ui::ErrorReporter previous_reporter;
  ui::HeadlessForm main_view;
  ui::HeadlessForm restore_view;
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm2> form2;
};

class FormsTest : public ::testing::Test, public FormsWorld {};

}  // namespace velm
