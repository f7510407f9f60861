#include "update_check.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
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

// Shared between the UI thread and the check thread, without locks.
std::atomic<bool> g_busy{false};
std::atomic<bool> g_abort{false};
std::atomic<HWND> g_dialog{nullptr};

void ShowStatus(int text) {
  if (HWND dialog = g_dialog.load()) SetDlgItemTextA(dialog, IDC_LWF_STATUS, Text(kTextUpdate, text));
}

std::string RecordText(const char (&field)[quillo::kPathSize]) {
  return std::string(field, std::find(field, field + sizeof field, '\0'));
}

INT_PTR CALLBACK UpdateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

HWND CreateAnnouncement() {
  return CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_LWF_UPDATE), nullptr, UpdateDialogProc, 0);
}

// Shows the result in the open dialog; an automatic check announces a version not seen before.
void Report(const std::string& text, bool isNew, const UpdateCheckState& state, HWND& created) {
  if (isNew && g_dialog.load() == nullptr && !AlreadyAnnounced(state, text)) created = CreateAnnouncement();
  HWND dialog = g_dialog.load();
  if (dialog == nullptr) return;
  SetDlgItemTextA(dialog, IDC_LWF_AVAILABLE_VERSION, std::string(VersionText(text)).c_str());
  ShowStatus(isNew ? kNewVersion : kNoUpdate);
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
HWND Check() {
  UpdateCheckState state = ReadUpdateCheckState();
  TcpStream stream(g_abort);
  Bytes body;
  if (HttpGet(stream, RecordText(App().setupInfo.versionCheckUrl), body) != kHttpOk) {
    ShowStatus(kDownloadError);
    return nullptr;
  }
  const std::string text(VersionText(std::string_view(reinterpret_cast<const char*>(body.data()), body.size())));
  const std::optional<VersionNumbers> published = ParseVersionFile(text);
  if (!published) {
    ShowStatus(kFormatError);
    return nullptr;
  }
  HWND created = nullptr;
  Report(text, IsNewVersion(*published, App().version), state, created);
  RecordCheck(state, text, static_cast<std::int64_t>(std::time(nullptr)));
  WriteUpdateCheckState(state);
  return created;
}

// The check is over before an announcement waits for the user, so that "Check now!" need not
// wait for that dialog to be closed.
DWORD WINAPI CheckThread(LPVOID) {
  HWND announcement = Check();
  g_busy.store(false);
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
  // Registered before a check can report, so that a quick answer is not lost.
  g_dialog.store(dialog);
}

void CloseUpdateDialog(HWND dialog, bool modal) {
  // Only the dialog a running check reports to stops it; an older announcement just closes.
  HWND registered = dialog;
  if (g_dialog.compare_exchange_strong(registered, nullptr)) g_abort.store(true);
  if (modal) {
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
      if (lParam != 0) StartUpdateCheck();  // a manual check
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

int StartUpdateCheck() {
  for (int round = 0; round < kStopRounds && g_busy.load(); ++round) {
    g_abort.store(true);
    Sleep(10);
  }
  g_abort.store(false);
  g_busy.store(true);
  HANDLE thread = CreateThread(nullptr, 0, CheckThread, nullptr, 0, nullptr);
  if (thread == nullptr) {
    g_busy.store(false);
    ShowStatus(kNotStarted);
    return kCheckNotStarted;
  }
  CloseHandle(thread);
  return kCheckStarted;
}

void AutomaticUpdateCheck() {
  if (AutomaticCheckDue(ReadUpdateCheckState(), static_cast<std::int64_t>(std::time(nullptr)))) StartUpdateCheck();
}

void RunManualUpdateCheck(HWND owner) { RunDialog(owner, IDD_LWF_UPDATE, UpdateDialogProc, 1); }

void StopUpdateCheck() {
  g_abort.store(true);
  if (HWND dialog = g_dialog.load()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  for (int round = 0; round < kStopRounds && g_busy.load(); ++round) Sleep(10);
}

}  // namespace lwf
