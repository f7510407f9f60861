#include "update_check.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "core/http_get.h"
#include "core/version_file.h"
#include "framework_data_file.h"
#include "framework_window.h"
#include "lwf_app.h"
#include "lwf_dialog.h"
#include "product_header.h"
#include "setup_info_record.h"
#include "tcp_stream.h"
#include "framework_dialog_ids.h"

namespace lwf {
namespace {

constexpr char kStateFile[] = "(LWF)UpdateCheck";
constexpr int kStopRounds = 300;  // of 10 ms

enum UpdateText : int { kTitle = 0, kChecking = 1, kDownloadError = 2, kFormatError = 3, kNewVersion = 4,
                        kNoUpdate = 5, kNotStarted = 6 };

// One check. The thread that runs it and the UI thread share it without locks; a newer check
// cuts an older one off (abort, no dialog), so that each check reports only to its own dialog.
struct CheckRun {
  std::atomic<HWND> dialog{nullptr};  // where this check reports; null: nowhere yet or no more
  std::atomic<bool> abort{false};
};

// The latest check; the variable itself is read and replaced on the UI thread only.
std::shared_ptr<CheckRun> g_latest;
// Checks still running, older cut-off ones included: teardown waits for them.
std::atomic<int> g_threads{0};

void ShowStatus(const CheckRun& run, int text) {
  if (HWND dialog = run.dialog.load()) SetDlgItemTextA(dialog, IDC_LWF_STATUS, Text(kTextUpdate, text));
}

std::string RecordText(const char (&field)[quillo::kPathSize]) {
  return std::string(field, std::find(field, field + sizeof field, '\0'));
}

INT_PTR CALLBACK UpdateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

HWND CreateAnnouncement() {
  return CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_LWF_UPDATE), nullptr, UpdateDialogProc, 0);
}

// Shows the result in the check's dialog; an automatic check announces a version not seen before.
// A check that a newer one cut off shows nothing.
void Report(CheckRun& run, const std::string& text, bool isNew, const UpdateCheckState& state, HWND& created) {
  if (run.abort.load()) return;
  if (isNew && run.dialog.load() == nullptr && !AlreadyAnnounced(state, text)) {
    created = CreateAnnouncement();
    run.dialog.store(created);
  }
  HWND dialog = run.dialog.load();
  if (dialog == nullptr) return;
  SetDlgItemTextA(dialog, IDC_LWF_AVAILABLE_VERSION, std::string(VersionText(text)).c_str());
  ShowStatus(run, isNew ? kNewVersion : kNoUpdate);
  EnableWindow(GetDlgItem(dialog, IDOK), isNew);
  if (created != nullptr) ShowWindow(created, SW_SHOWNORMAL);
}

void RunDialogLoop(HWND dialog) {
  MSG message;
  while (IsWindow(dialog) && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

// The check itself; returns the announcement dialog it created, if any.
HWND Check(CheckRun& run) {
  UpdateCheckState state = ReadUpdateCheckState();
  TcpStream stream(run.abort);
  Bytes body;
  if (HttpGet(stream, RecordText(App().setupInfo.versionCheckUrl), body) != kHttpOk) {
    ShowStatus(run, kDownloadError);
    return nullptr;
  }
  const std::string text(VersionText(std::string_view(reinterpret_cast<const char*>(body.data()), body.size())));
  const std::optional<VersionNumbers> published = ParseVersionFile(text);
  if (!published) {
    ShowStatus(run, kFormatError);
    return nullptr;
  }
  HWND created = nullptr;
  Report(run, text, IsNewVersion(*published, App().version), state, created);
  RecordCheck(state, text, static_cast<std::int64_t>(std::time(nullptr)));
  WriteUpdateCheckState(state);
  return created;
}

// The check is over before an announcement waits for the user, so that "Check now!" need not
// wait for that dialog to be closed.
DWORD WINAPI CheckThread(LPVOID parameter) {
  const std::unique_ptr<std::shared_ptr<CheckRun>> run(static_cast<std::shared_ptr<CheckRun>*>(parameter));
  HWND announcement = Check(**run);
  --g_threads;
  if (announcement != nullptr) RunDialogLoop(announcement);
  return 0;
}

void FillDialog(HWND dialog) {
  PrepareDialog(dialog);
  const LwfApp& app = App();
  char line[MAX_PATH];
  std::snprintf(line, sizeof line, "%s %s", app.productName, Text(kTextUpdate, kTitle));
  SetWindowTextA(dialog, line);
  ShowProductHeader(dialog, "%s V%d.%d.%d");
  std::snprintf(line, sizeof line, "%d.%d.%d", app.version[0], app.version[1], app.version[2]);
  SetDlgItemTextA(dialog, IDC_LWF_INSTALLED_VERSION, line);
  UseSemibold(dialog, {IDC_LWF_INSTALLED_VERSION, IDC_LWF_AVAILABLE_VERSION, IDC_LWF_STATUS});
  SetDlgItemTextA(dialog, IDC_LWF_STATUS, Text(kTextUpdate, kChecking));
  EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
}

// Cuts the latest check off from its dialog and stops it.
void CutOff(CheckRun& run) {
  run.dialog.store(nullptr);
  run.abort.store(true);
}

void CloseUpdateDialog(HWND dialog, bool modal) {
  if (modal) {
    // The manual dialog lives on the UI thread; it stops the check that reports to it. An
    // announcement is shown only after its check has ended.
    if (g_latest && g_latest->dialog.load() == dialog) CutOff(*g_latest);
    EndDialog(dialog, IDCANCEL);
  } else {
    DestroyWindow(dialog);
  }
}

INT_PTR CALLBACK UpdateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool modal = GetWindowLongPtrA(dialog, DWLP_USER) != 0;
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      FillDialog(dialog);
      if (lParam != 0) StartUpdateCheck(dialog);  // a manual check
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          ShellExecuteA(dialog, nullptr, RecordText(App().setupInfo.downloadUrl).c_str(), nullptr, nullptr,
                        SW_SHOWNORMAL);
          return TRUE;
        case IDCANCEL:
          CloseUpdateDialog(dialog, modal);
          return TRUE;
        case IDC_LWF_HELP:
          ShowHelpTopic();
          return TRUE;
        default:
          return FALSE;
      }
    case WM_HELP:
      ShowHelpTopic();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

UpdateCheckState ReadUpdateCheckState() {
  UpdateCheckState state{};
  if (ReadData(kStateFile, -1, nullptr, 0) != sizeof state || ReadData(kStateFile, -1, &state, sizeof state) != sizeof state) {
    state = UpdateCheckState{};
  }
  return state;
}

void WriteUpdateCheckState(const UpdateCheckState& state) { WriteData(kStateFile, -1, &state, sizeof state); }

int StartUpdateCheck(HWND dialog) {
  if (g_latest) CutOff(*g_latest);
  auto run = std::make_unique<std::shared_ptr<CheckRun>>(std::make_shared<CheckRun>());
  (*run)->dialog.store(dialog);
  std::shared_ptr<CheckRun> latest = *run;
  ++g_threads;
  HANDLE thread = CreateThread(nullptr, 0, CheckThread, run.get(), 0, nullptr);
  if (thread == nullptr) {
    --g_threads;
    ShowStatus(*latest, kNotStarted);
    return kCheckNotStarted;
  }
  run.release();  // the thread owns it now
  CloseHandle(thread);
  g_latest = std::move(latest);
  return kCheckStarted;
}

void AutomaticUpdateCheck() {
  if (AutomaticCheckDue(ReadUpdateCheckState(), static_cast<std::int64_t>(std::time(nullptr)))) {
    StartUpdateCheck(nullptr);
  }
}

void RunManualUpdateCheck(HWND owner) { RunDialog(owner, IDD_LWF_UPDATE, UpdateDialogProc, 1); }

void StopUpdateCheck() {
  if (g_latest) {
    if (HWND dialog = g_latest->dialog.load()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    CutOff(*g_latest);
  }
  for (int round = 0; round < kStopRounds && g_threads.load() > 0; ++round) Sleep(10);
  g_latest.reset();
}

}  // namespace lwf
