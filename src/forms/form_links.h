// How the two forms meet without knowing each other. The main window is
// handed what opens the restore window; the restore window reaches the main
// window only through RestoreWindowOwner, which TForm1 implements, so the
// rule for which of its lists holds the entries stays with TForm1.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "stores/ini_document.h"

namespace velm {

// Opens the restore window for generation_count (1..5) backups, previewed
// from settings, velm.ini as read for the count.
using RestoreWindowOpener = std::function<void(int generation_count, IniDocument settings)>;

class RestoreWindowOwner {
 public:
  // Puts entries in place of the entry list, in the view that shows it.
  virtual void ReplaceEntries(const std::vector<std::string>& entries) = 0;
  // The restore window is going: the owner takes input again.
  virtual void EnableAgain() = 0;

 protected:
  ~RestoreWindowOwner() = default;
};

}  // namespace velm
