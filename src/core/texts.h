// Every text a user reads, in one table. texts.cpp is compiled with
// -fexec-charset=CP932, so these arrays hold ANSI code-page (Shift-JIS) bytes
// exactly as the registry, the INI file and the *A functions expect them.
#pragma once

namespace velm::text {

// Application and main window.
extern const char kAppTitle[];       // also the idle caption of the main window
extern const char kMovingCaption[];  // main window caption while a move is pending
extern const char kVersionLabel[];
extern const char kButtonChange[];
extern const char kButtonDelete[];
extern const char kButtonSwitchView[];
extern const char kButtonExit[];
extern const char kButtonExitNoSave[];
extern const char kButtonRestoreOld[];
extern const char kButtonCreate[];
extern const char kButtonMove[];
extern const char kButtonClear[];
extern const char kFontName[];  // the forms' and input box's font face

// Restore window.
extern const char kRestoreCaption[];
extern const char kRestoreLabelDesign[];
extern const char kRestoreLabelHead[];
extern const char kRestoreLabelTail[];
extern const char kGenerationItem[];  // followed by the generation number
extern const char kButtonRestore[];
extern const char kButtonBack[];
extern const char kNoGenerations[];

// Dialogs.
extern const char kErrorCaption[];
extern const char kConfirmCaption[];
extern const char kYes[];
extern const char kNo[];
extern const char kOk[];
extern const char kCancel[];
extern const char kChangeCaptionSuffix[];
extern const char kChangePrompt[];
extern const char kChangeEmpty[];
extern const char kCreateCaption[];
extern const char kCreatePrompt[];  // two lines joined by CR LF
extern const char kMovePrompt[];
extern const char kExitNoSaveQuestion[];
extern const char kHistoryFull[];  // 作成 refused: the history holds no more

// Error messages; %s / %d are filled by FormatMessageText.
extern const char kSettingsWriteError[];
extern const char kHistoryTypeError[];
extern const char kHistoryReadError[];
extern const char kHistoryWriteError[];
extern const char kIndexError[];
extern const char kInsertError[];
extern const char kClipboardError[];
extern const char kStartupFailureCaption[];
extern const char kStartupFailurePattern[];
extern const char kWindowCreateError[];  // the system refused a window
extern const char kUnknownError[];       // an escaped error that carries no text

}  // namespace velm::text
