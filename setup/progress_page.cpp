// The progress page (110, 115): phase 1 runs on a worker thread that reports through
// SETUPMSG_STATUS, SETUPMSG_PROGRESS, SETUPMSG_DONE and SETUPMSG_ERROR.
#include "progress_page.h"

#include <commctrl.h>

#include <atomic>

#include "script_commands.h"
#include "setup_error_code.h"
#include "setup_message.h"
#include "setup_state.h"
#include "wizard.h"
#include "wizard_pages.h"
#include "wizard_rules.h"

namespace quillo::setup {
namespace {

constexpr int kStatusText = 1021, kProgressBar = 1017, kDetailText = 1022;

// The worker's side: every report is sent to the page and waits for it to be handled.
class ProgressPageLink : public SetupProgress {
 public:
  void Attach(HWND page) { page_ = page; }

  void ShowStatus(StatusArea area, const char* text) override {
    SendMessageA(page_, SETUPMSG_STATUS, area, reinterpret_cast<LPARAM>(text));
  }
  void ShowProgress(int percent) override { SendMessageA(page_, SETUPMSG_PROGRESS, percent, 0); }
  void PhaseDone() override { SendMessageA(page_, SETUPMSG_DONE, 0, 0); }
  int ReportError(int code) override {
    Setup().errorCode = code;
    return static_cast<int>(SendMessageA(page_, SETUPMSG_ERROR, 0, 0));
  }

 private:
  std::atomic<HWND> page_{nullptr};
};

ProgressPageLink& Link() {
  static ProgressPageLink link;
  return link;
}

// The quit question, expanded before the worker starts.
ExpandedMessage& QuitQuestion() {
  static ExpandedMessage question;
  return question;
}

// The answer to the current code's message, and what it means for the installation.
INT_PTR HandleError(HWND page) {
  SetupState& state = Setup();
  const int code = state.errorCode;
  const int answer = ShowCodeMessage(page, code);
  switch (OutcomeOfErrorAnswer(code, answer)) {
    case ErrorOutcome::kRetry:
      return answer;
    case ErrorOutcome::kContinue:
      state.errorCode = kNoError;
      return code == kTaskSchedulerFailed ? IDOK : answer;
    case ErrorOutcome::kEndSetup:
      // Phase 3 cleans up on this thread; it has no progress page to ask, so a failure in it
      // ends it quietly.
      state.progress = nullptr;
      RunPhase(3, false);
      QuitSetup();
      return answer;
  }
  return answer;
}

}  // namespace

void ProgressPageInit(HWND page) {
  SendDlgItemMessageA(page, kProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  Link().Attach(page);
  Setup().progress = &Link();
  QuitQuestion() = ExpandStringMessage(1000);
  if (RunPhase(1, true) != kNoError) {
    // The worker could not start: the installation ends as after a fatal error.
    Setup().progress = nullptr;
    ShowCodeMessage(page, Setup().errorCode);
    QuitSetup();
  }
}

void ProgressPageCommand(HWND page, int control) {
  if (control == kCancelButton) {
    AskToQuit(page, QuitQuestion());
  } else if (control == kNextButton) {
    Setup().progress = nullptr;
    // The worker stores the phase's result right after it reported the end.
    WaitForPhaseWorkers(5000);
    // In setup mode every failed command was answered on this page; a result left over means
    // the phase never ran (no phase 1 in the script): that is no finished installation.
    if (Setup().mode == SetupMode::kSetup && Setup().errorCode != kNoError) {
      ShowCodeMessage(page, Setup().errorCode);
      QuitSetup();
      return;
    }
    ShowPage(page, Setup().mode == SetupMode::kSetup ? kFinishPage : kUninstallFinishPage);
  }
}

bool ProgressPageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (msg) {
    case SETUPMSG_STATUS:
      SetDlgItemTextA(page, wParam == kStatusDetail ? kDetailText : kStatusText,
                      reinterpret_cast<const char*>(lParam));
      return true;
    case SETUPMSG_PROGRESS:
      SendDlgItemMessageA(page, kProgressBar, PBM_SETPOS, wParam, 0);
      return true;
    case SETUPMSG_DONE:
      SetDlgItemTextA(page, kStatusText, "Finished");
      EnableWindow(GetDlgItem(page, kNextButton), TRUE);
      // Posted: the worker's message returns before the page goes.
      PostMessageA(page, WM_COMMAND, MAKEWPARAM(kNextButton, BN_CLICKED), 0);
      return true;
    case SETUPMSG_ERROR:
      result = HandleError(page);
      return true;
    default:
      return false;
  }
}

}  // namespace quillo::setup
