#include "setup_error_code.h"

namespace quillo::setup {
namespace {

struct CodeMessage {
  int code;
  SetupMessage message;
};

constexpr int kGenericMessage = 1001;

constexpr CodeMessage kCodeMessages[] = {
    {kProgramStillRunning, {1013, kButtonsRetryCancel | kIconHand}},
    {kCreateDirFailed, {1035, kButtonsRetryCancel | kIconHand}},
    {kCopyFailed, {1015, kButtonsRetryCancel | kIconHand}},
    {kPatchFailed, {1015, kButtonsRetryCancel | kIconHand}},
    {kCreateLinkFailed, {1018, kButtonsOk | kIconHand}},
    {kUnknownRootText, {1022, kButtonsOk | kIconHand}},
    {kScriptError, {1045, kButtonsOk | kIconHand}},
    {kInitFilesNotCopied, {1008, kButtonsOk | kIconHand}},
    {kTaskSchedulerFailed, {1002, kButtonsOk | kIconHand}},
};

}  // namespace

SetupMessage MessageForCode(int code) {
  for (const CodeMessage& row : kCodeMessages) {
    if (row.code == code) return row.message;
  }
  return {kGenericMessage, kButtonsOk | kIconHand};
}

}  // namespace quillo::setup
