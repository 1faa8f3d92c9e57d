#include "seed_case.h"

#include <windows.h>

#include "driver/history_key.h"
#include "driver/ini_file.h"

namespace bench {

testing::AssertionResult SeedCase(const BenchCase& bench_case, const std::string& ini_path) {
  if (bench_case.history.empty()) {
    if (testing::AssertionResult deleted = e2e::DeleteHistoryKey(); !deleted) return deleted;
  } else {
    if (testing::AssertionResult reset = e2e::ResetHistoryKey(); !reset) return reset;
    for (std::size_t i = 0; i < bench_case.history.size(); ++i) {
      const std::string name = "url" + std::to_string(i + 1);
      testing::AssertionResult set = e2e::SetHistoryString(name, bench_case.history[i]);
      if (!set) return set;
    }
  }
  if (bench_case.ini.empty()) {
    if (!DeleteFileA(ini_path.c_str())) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) {
        return testing::AssertionFailure()
               << "cannot delete " << ini_path << " (error " << error << ")";
      }
    }
    return testing::AssertionSuccess();
  }
  return e2e::WriteFileBytes(ini_path, bench_case.ini);
}

}  // namespace bench
