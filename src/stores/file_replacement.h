// Replacing a file through a temporary file beside it and one rename, or,
// where the folder takes no temporary file, rewriting it where it lies. The
// platform gives the steps; this decides their order, cleans up after a
// failed attempt, and waits out a file that another program holds for a
// moment (a virus scanner, the search indexer, a sync client all open a
// freshly written file briefly) before it gives up.
#pragma once

#include <cstdint>
#include <string_view>

namespace velm {

enum class StepResult {
  kDone,
  kBusy,     // another program holds the file for now: worth another try
  kRefused,  // the folder takes no new file (no right, no room, no free entry)
  kFailed,   // will not go better by waiting
};

class ReplacementSteps {
 public:
  virtual ~ReplacementSteps() = default;
  // Creates the temporary file beside the target, or empties one that is
  // there, holding exactly bytes, flushed to the disk. kBusy and kRefused:
  // nothing was created, and what holds the name is not ours. kFailed: a
  // file was created but does not hold bytes whole.
  virtual StepResult WriteTemporary(std::string_view bytes) = 0;
  // Renames the temporary file over the target in one step, keeping the
  // target's attributes.
  virtual StepResult MoveOver() = 0;
  // Removes the temporary file; a failure is not looked at.
  virtual void Remove() = 0;
  virtual void Pause(int milliseconds) = 0;
};

// Six tries with five pauses between them: about half a second in all.
inline constexpr int kReplaceAttempts = 6;
inline constexpr int kReplacePauseMilliseconds = 100;

// kDone: the target holds bytes. Anything else is the last try's result;
// the target is as it was and no temporary file of ours is left. Only a
// hold is tried again: kRefused comes from the first try that meets it.
StepResult ReplaceThroughTemporary(ReplacementSteps& steps, std::string_view bytes);

// A file open for rewriting where it lies.
class InPlaceFile {
 public:
  virtual ~InPlaceFile() = default;
  virtual bool Size(std::uint64_t* size) = 0;
  // Sets the length; a file system that allocates (NTFS, FAT) finds out
  // here whether it has room.
  virtual bool Resize(std::uint64_t size) = 0;
  virtual bool WriteAt(std::uint64_t offset, std::string_view bytes) = 0;
  virtual bool Flush() = 0;
};

// true: the file holds bytes. false: it holds what it held, every byte of
// it, unless the disk failed while the old bytes were being overwritten;
// a full disk is found out before that.
bool RewriteInPlace(InPlaceFile& file, std::string_view bytes);

}  // namespace velm
