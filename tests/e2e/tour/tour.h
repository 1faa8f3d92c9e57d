// The screenshot tour: starts velm.exe, walks it through its windows and
// dialogs the way a user would, saves a picture of each, and leaves through
// "保存しないで終了" answered Yes, so the history in the registry is never
// written. velm.ini beside the program sees what any start and exit does:
// the backups rotate, the view and the position are stored; the tour puts
// the view back as it found it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {

// The pictures in the order the tour takes them; a step that can go two ways
// (the restore window, or the error that there is no backup) names which.
inline constexpr char kShotMainWindow[] = "tour-01-main-window.bmp";
inline constexpr char kShotChangeBox[] = "tour-02-change-box.bmp";
inline constexpr char kShotCreateBox[] = "tour-03-create-box.bmp";
inline constexpr char kShotMoveMessage[] = "tour-04-move-message.bmp";
inline constexpr char kShotChangeEmpty[] = "tour-05-change-empty-error.bmp";
inline constexpr char kShotRestoreWindow[] = "tour-06-restore-window.bmp";
inline constexpr char kShotNoBackup[] = "tour-06-no-backup-error.bmp";
inline constexpr char kShotDropDownView[] = "tour-07-drop-down-view.bmp";
inline constexpr char kShotExitConfirm[] = "tour-08-exit-confirmation.bmp";

// Runs the tour on exe_dir\velm.exe (Windows paths) and writes the pictures
// into out_dir; pictures receives their full paths as they are written. On
// failure velm.exe is ended by its handle, without saving anything.
testing::AssertionResult RunTour(const std::string& exe_dir, const std::string& out_dir,
                                 std::vector<std::string>* pictures);

}  // namespace e2e
