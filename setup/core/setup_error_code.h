// The result codes of Setup's commands and start-up, and the message each one shows.
#pragma once

namespace quillo::setup {

enum SetupErrorCode : int {
  kNoError = 0,
  kServiceManagerUnavailable = 1,
  kMalformedCommand = 3,
  kVariableTableFull = 4,
  kProgramStillRunning = 6,
  kCreateDirFailed = 7,
  kCopyFailed = 8,
  kCreateLinkFailed = 9,
  kUnknownRootText = 11,
  kUnknownRootNumber = 12,
  kStartupFailed = 13,
  kThreadNotStarted = 14,
  kPayloadEntryMissing = 17,
  kRemoveDirFailed = 20,
  kDeleteKeyUnknownRoot = 21,
  kDeleteValueUnknownRoot = 22,
  kTemporaryCopyNotStarted = 23,
  kPatchFailed = 24,
  kCallNotStarted = 27,
  kPhaseMissing = 28,
  kScriptError = 29,
  kSharingViolation = 31,
  kInitFilesNotCopied = 32,
  kTaskSchedulerFailed = 33,
};

// Message box button and icon flags, as the Windows headers define them.
constexpr unsigned kButtonsOk = 0x0;
constexpr unsigned kButtonsRetryCancel = 0x5;
constexpr unsigned kIconHand = 0x10;

// Dialog answers that the interpreter tells apart.
constexpr int kAnswerRetry = 4;

struct SetupMessage {
  int stringId;     // string table number of the text
  unsigned buttons; // buttons, MB_ICONHAND already added
};

// The message shown for a non-zero code: the specific text of the command, or the generic
// "critical error" text 1001.
SetupMessage MessageForCode(int code);

}  // namespace quillo::setup
