#include "stores/file_replacement.h"

#include <algorithm>

namespace velm {

StepResult ReplaceThroughTemporary(ReplacementSteps& steps, std::string_view bytes) {
  for (int attempt = 1;; ++attempt) {
    const StepResult written = steps.WriteTemporary(bytes);
    // Only a whole temporary file may take the file's place: a rename after
    // a failed write would leave velm.ini short, and the backups with it.
    const StepResult result = written == StepResult::kDone ? steps.MoveOver() : written;
    if (result == StepResult::kDone) return result;
    // Gone before the next try: a file left there, with the hidden
    // attribute the rename gave it, would make every later try fail.
    if (written == StepResult::kDone || written == StepResult::kFailed) steps.Remove();
    if (result != StepResult::kBusy || attempt == kReplaceAttempts) return result;
    steps.Pause(kReplacePauseMilliseconds);
  }
}

bool RewriteInPlace(InPlaceFile& file, std::string_view bytes) {
  std::uint64_t old_size = 0;
  // The new length before any byte: a disk without room for it refuses
  // while the file is still whole.
  if (!file.Size(&old_size) || !file.Resize(bytes.size())) return false;
  const std::size_t kept =
      static_cast<std::size_t>(std::min<std::uint64_t>(old_size, bytes.size()));
  // Then what lies past the old end. Where a file grows sparsely (Linux's
  // file systems under Wine) the room is taken only as bytes arrive, so the
  // old bytes are overwritten only once the disk has taken the rest.
  if (!file.WriteAt(kept, bytes.substr(kept))) {
    (void)file.Resize(old_size);
    return false;
  }
  return file.WriteAt(0, bytes.substr(0, kept)) && file.Flush();
}

}  // namespace velm
