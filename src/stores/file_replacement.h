// Replacing a file through a temporary file beside it and one rename. The
// platform gives the steps; this decides their order, cleans up after a
// failed attempt, and waits out a file that another program holds for a
// moment (a virus scanner, the search indexer, a sync client all open a
// freshly written file briefly) before it gives up.
#pragma once

#include <string>
#include <string_view>

namespace velm {

enum class StepResult {
  kDone,
  kBusy,    // another program holds the file or denies access for now
  kFailed,  // will not go better by waiting
};

class ReplacementSteps {
 public:
  virtual ~ReplacementSteps() = default;
  // Creates temp, or empties one that is there, holding exactly bytes,
  // flushed to the disk.
  virtual StepResult WriteTemporary(const std::string& temp, std::string_view bytes) = 0;
  // Renames temp over target in one step, keeping target's attributes.
  virtual StepResult MoveOver(const std::string& temp, const std::string& target) = 0;
  // Removes what an attempt left as temp; a failure is not looked at.
  virtual void Remove(const std::string& temp) = 0;
  virtual void Pause(int milliseconds) = 0;
};

// Six tries with five pauses between them: about half a second in all.
inline constexpr int kReplaceAttempts = 6;
inline constexpr int kReplacePauseMilliseconds = 100;

// The temporary file's name beside target.
std::string TemporaryFor(const std::string& target);

// true: target holds bytes. false: target is as it was, and no temporary
// file is left.
bool ReplaceThroughTemporary(ReplacementSteps& steps, const std::string& target,
                             std::string_view bytes);

}  // namespace velm
