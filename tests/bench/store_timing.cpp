#include "store_timing.h"

#include <vector>

#include "Unit1.h"
#include "app_services.h"
#include "qpc_clock.h"
#include "seed_case.h"
#include "stores/win32_profile.h"
#include "stores/win32_registry.h"
#include "ui/headless_toolkit.h"
#include "ui/scripted_dialogs.h"

namespace bench {

testing::AssertionResult TimeStoreSide(const BenchCase& bench_case, const std::string& dir,
                                       StoreSample* out) {
  if (testing::AssertionResult seeded = SeedCase(bench_case, dir + "\\velm.ini"); !seeded) {
    return seeded;
  }
  velm::Win32Profile win32_profile;
  velm::Win32Registry win32_registry;
  TimedProfile profile(win32_profile, CounterNow);
  TimedRegistry registry(win32_registry, CounterNow);
  velm::ui::ScriptedDialogs dialogs;
  std::vector<std::string> errors;
  auto report = [&](const velm::Error& error) { errors.push_back(error.what()); };
  velm::AppServices services{profile, registry, dialogs, dir + "\\velm.exe", [] {}, report};
  velm::ui::HeadlessForm view(velm::Form1Layout(), report);
  velm::TForm1 form(view, services);

  StoreSample sample;
  const std::int64_t created = CounterNow();
  view.Create([&] { form.FormCreate(); });
  sample.create_ms = TicksToMs(CounterNow() - created);
  sample.create_profile = profile.total();
  sample.create_registry = registry.total();
  profile.Reset();
  registry.Reset();

  const std::int64_t closing = CounterNow();
  view.CloseRequest();
  sample.close_ms = TicksToMs(CounterNow() - closing);
  sample.close_profile = profile.total();
  sample.close_registry = registry.total();

  if (!errors.empty()) return testing::AssertionFailure() << "error report: " << errors.front();
  *out = sample;
  return testing::AssertionSuccess();
}

}  // namespace bench
