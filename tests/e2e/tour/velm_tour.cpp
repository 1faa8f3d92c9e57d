// velm_tour EXE_DIR OUT_DIR: walks velm.exe in EXE_DIR through its windows
// and dialogs and saves a BMP of each in OUT_DIR, printing their paths. It
// leaves without saving, so the history in the registry stays as it was.
// Folders may be given as Windows paths or as Unix paths (drive Z:).
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "driver/wine_path.h"
#include "tour/tour.h"

namespace {

std::string WindowsPath(const std::string& path) {
  return !path.empty() && path.front() == '/' ? e2e::WinePath(path) : path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: velm_tour EXE_DIR OUT_DIR\n";
    return 2;
  }
  std::vector<std::string> pictures;
  // Caught here so the tour's owner of velm.exe is unwound and ends it.
  try {
    const testing::AssertionResult done =
        e2e::RunTour(WindowsPath(argv[1]), WindowsPath(argv[2]), &pictures);
    for (const std::string& picture : pictures) std::cout << picture << "\n";
    if (!done) {
      std::cerr << "tour: " << done.message() << "\n";
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << "tour: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
