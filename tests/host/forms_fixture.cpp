#include "forms_fixture.h"

#include "stores/history_store.h"

namespace velm {

FormsWorld::FormsWorld()
    : exe_path(AnsiToUtf16(folder.File("velm.exe"))),
      ini_path(folder.File("velm.ini")),
      services{settings_file,
               registry,
               dialogs,
               exe_path,
               [this] { ++end_requests; },
               [this](const std::string& entry) { copied.push_back(entry); }},
      previous_reporter(ui::SetErrorReporter([this](const Error& e) {
        reports.push_back({e.what(), e.kind(), main_view.window().Visible()});
      })),
      main_view(Form1Layout()),
      restore_view(Form2Layout()) {}

FormsWorld::~FormsWorld() {
  ui::SetErrorReporter(std::move(previous_reporter));
}

void FormsWorld::Start() {
  form1 = std::make_unique<TForm1>(main_view, services, [this](int count, IniDocument settings) {
    form2->Open(count, std::move(settings));
  });
  main_view.Create([this] { form1->FormCreate(); });
  form2 = std::make_unique<TForm2>(restore_view, *form1);
  restore_view.Create([] {});
}

void FormsWorld::SeedHistory(const std::vector<std::string>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!values[i].empty())
      registry.SetString(HistoryValueName(static_cast<int>(i) + 1), values[i]);
  }
}

std::vector<std::string> FormsWorld::HistoryTexts() const {
  std::vector<std::string> texts;
  for (int n = 1; n <= kHistoryValues; ++n)
    texts.push_back(registry.Text(HistoryValueName(n)).value_or(""));
  return texts;
}

std::string FormsWorld::Ini(const std::string& section, const std::string& key) {
  return file_profile.Read(ini_path, section, key);
}

void FormsWorld::SetIni(const std::string& section, const std::string& key,
                        const std::string& value) {
  ASSERT_TRUE(file_profile.Write(ini_path, section, key, value));
}

std::vector<std::string> FormsWorld::ReportTexts() const {
  std::vector<std::string> texts;
  for (const Report& report : reports) texts.push_back(report.text);
  return texts;
}

void FormsWorld::Perform(int pick, int button, const char* typed, int then_pick) {
  if (pick >= 0) main_view.Pick(kListView, pick);
  if (typed) dialogs.AnswerInput(typed);
  main_view.Click(button);
  if (then_pick >= 0) main_view.Pick(kListView, then_pick);
}

}  // namespace velm
