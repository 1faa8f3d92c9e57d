// The two forms on the headless toolkit, over a velm.ini in a fresh temporary
// folder (on a disk that can be made to fail) and an in-memory history key,
// with scripted dialogs. Start() runs what the shell does at start-up: TForm1
// created (FormCreate, then shown), then TForm2, hidden. FormsWorld is the
// whole world of one run, for tests that need many; FormsTest is one test's.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "forms/main_window.h"
#include "forms/restore_window.h"
#include "core/error.h"
#include "failing_disk_profile.h"
#include "scratch_dir.h"
#include "stores/history_store.h"
#include "memory_registry.h"
#include "stores/portable_profile.h"
#include "headless_toolkit.h"
#include "ui/dispatch.h"
#include "scripted_dialogs.h"

namespace velm {

// Refuses the writes a test names, as a settings file that cannot be written
// does; everything else goes to the real file.
class RefusingProfile : public ProfileBackend {
 public:
  explicit RefusingProfile(ProfileBackend& inner) : inner_(inner) {}

  void RefuseAll() { refuse_all_ = true; }
  void Refuse(std::string section, std::string key) {
    refused_.insert({std::move(section), std::move(key)});
  }

  std::string Read(const std::string& path, std::string_view section,
                   std::string_view key) override {
    return inner_.Read(path, section, key);
  }
  bool Write(const std::string& path, std::string_view section, std::string_view key,
             std::string_view value) override {
    if (refuse_all_ || refused_.count({std::string(section), std::string(key)})) return false;
    return inner_.Write(path, section, key, value);
  }
  void Delete(const std::string& path, std::string_view section, std::string_view key) override {
    inner_.Delete(path, section, key);
  }
  void Flush(const std::string& path) override { inner_.Flush(path); }

 private:
  ProfileBackend& inner_;
  bool refuse_all_ = false;
  std::set<std::pair<std::string, std::string>> refused_;
};

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
  ui::Window& MainWindow() { return main_view.window(); }
  ui::Window& RestoreWindow() { return restore_view.window(); }

  std::vector<std::string> ReportTexts() const;

  testing::ScratchDir folder;
  std::string exe_path;
  std::string ini_path;
  FailingDiskProfile file_profile;
  RefusingProfile profile{file_profile};
  MemoryRegistry registry;
  ui::ScriptedDialogs dialogs;
  std::vector<Report> reports;
  int end_requests = 0;
  AppServices services;
  ui::ErrorReporter previous_reporter;
  ui::HeadlessForm main_view;
  ui::HeadlessForm restore_view;
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm2> form2;
};

class FormsTest : public ::testing::Test, public FormsWorld {};

}  // namespace velm
