#include "stores/file_replacement.h"

namespace velm {

std::string TemporaryFor(const std::string& target) {
  return target + ".new";
}

bool ReplaceThroughTemporary(ReplacementSteps& steps, const std::string& target,
                             std::string_view bytes) {
  const std::string temp = TemporaryFor(target);
  for (int attempt = 1;; ++attempt) {
    StepResult result = steps.WriteTemporary(temp, bytes);
    // Only a whole temporary file may take the file's place: a rename after
    // a failed write would leave velm.ini short, and the backups with it.
    if (result == StepResult::kDone) result = steps.MoveOver(temp, target);
    if (result == StepResult::kDone) return true;
    steps.Remove(temp);
    if (result != StepResult::kBusy || attempt == kReplaceAttempts) return false;
    steps.Pause(kReplacePauseMilliseconds);
  }
}

}  // namespace velm
