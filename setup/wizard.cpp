#include "wizard.h"

#include <commctrl.h>

#include <cstring>

#include "banner_window.h"
#include "hyperlink_window.h"
#include "script_commands.h"
#include "setup_error_code.h"
#include "setup_message.h"
#include "setup_state.h"
#include "wizard_pages.h"

namespace quillo::setup {
namespace {

constexpr int kFrameDialog = 108;
constexpr int kBannerArea = 1049, kTitleText = 1002, kSubtitleText = 1004, kLinkText = 1031;
constexpr int kSetupIcon = 101, kUninstallIcon = 102;

bool NoMessages(HWND, UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

const WizardPage kPages[] = {
    {kWelcomePage, WelcomePageInit, WelcomePageCommand, NoMessages},
    {kLicensePage, LicensePageInit, LicensePageCommand, NoMessages},
    {kFolderPage, FolderPageInit, FolderPageCommand, NoMessages},
    {kProgressPage, ProgressPageInit, ProgressPageCommand, ProgressPageMessage},
    {kFinishPage, FinishPageInit, FinishPageCommand, NoMessages},
    {kUninstallWelcomePage, WelcomePageInit, WelcomePageCommand, NoMessages},
    {kUninstallProgressPage, ProgressPageInit, ProgressPageCommand, ProgressPageMessage},
    {kUninstallFinishPage, UninstallFinishPageInit, FinishPageCommand, NoMessages},
};

const WizardPage* FindPage(int id) {
  for (const WizardPage& page : kPages) {
    if (page.id == id) return &page;
  }
  return nullptr;
}

void ExpandWindowText(HWND window) {
  char text[kVariableValueSize];
  GetWindowTextA(window, text, sizeof text);
  if (std::strchr(text, '#') == nullptr) return;
  ExpandVariables(Setup().variables, text, sizeof text);
  SetWindowTextA(window, text);
}

BOOL CALLBACK SetUpChild(HWND child, LPARAM) {
  ExpandWindowText(child);
  if ((GetWindowLongA(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0) {
      SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(Setup().boldMessageFont), TRUE);
    }
  }
  return TRUE;
}

// What every page does first: it becomes the current page, its texts are expanded, the default
// button is bold, and the hyperlink and banner replace their placeholders.
void SetUpPage(HWND page) {
  SetupState& state = Setup();
  Wizard().page = page;
  ExpandWindowText(page);
  EnumChildWindows(page, SetUpChild, 0);
  ReplaceWithHyperlink(page, kLinkText, state.linkText, state.linkTarget);
  ReplaceWithBanner(page, kBannerArea, kTitleText, kSubtitleText,
                    state.mode == SetupMode::kSetup ? kSetupIcon : kUninstallIcon);
}

INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrA(page, DWLP_USER, lParam);
    SetUpPage(page);
    reinterpret_cast<const WizardPage*>(lParam)->init(page);
    return TRUE;
  }
  const auto* handlers = reinterpret_cast<const WizardPage*>(GetWindowLongPtrA(page, DWLP_USER));
  if (handlers == nullptr) return FALSE;
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int control = LOWORD(wParam);
    // Enter and Escape reach the page through the frame: a disabled button does not act.
    HWND button = GetDlgItem(page, control);
    if (button != nullptr && !IsWindowEnabled(button)) return TRUE;
    handlers->command(page, control);
    return TRUE;
  }
  INT_PTR result = 0;
  if (handlers->message(page, msg, wParam, lParam, result)) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK FrameProc(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam) {
  WizardState& wizard = Wizard();
  switch (msg) {
    case WM_INITDIALOG: {
      wizard.frame = frame;
      ExpandWindowText(frame);
      HICON icon = LoadIconA(Setup().instance, MAKEINTRESOURCEA(kSetupIcon));
      SendMessageA(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
      SendMessageA(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
      ShowPage(nullptr, Setup().mode == SetupMode::kSetup ? kWelcomePage : kUninstallWelcomePage);
      return FALSE;  // the page has set the focus
    }
    case WM_COMMAND:
      if (wizard.page) PostMessageA(wizard.page, WM_COMMAND, wParam, lParam);
      return TRUE;
    case WM_CLOSE:
      if (wizard.page) PostMessageA(wizard.page, WM_COMMAND, IDCANCEL, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

WizardState& Wizard() {
  static WizardState wizard;
  return wizard;
}

void ShowPage(HWND from, int pageId) {
  const WizardPage* handlers = FindPage(pageId);
  if (handlers == nullptr) return;
  HWND page = CreateDialogParamA(Setup().instance, MAKEINTRESOURCEA(pageId), Wizard().frame,
                                 PageProc, reinterpret_cast<LPARAM>(handlers));
  if (page == nullptr) {
    ShowCodeMessage(Wizard().frame, kStartupFailed);
    QuitSetup();
    return;
  }
  // A modeless page is destroyed, not ended (EndDialog would only hide it); `from` is the
  // page whose button led here, and touches nothing after this call.
  if (from) DestroyWindow(from);
  ShowWindow(page, SW_SHOW);
  HWND next = GetDlgItem(page, kNextButton);
  if (next == nullptr || !IsWindowEnabled(next)) next = GetNextDlgTabItem(page, nullptr, FALSE);
  if (next) SendMessageA(Wizard().frame, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

void QuitSetup() {
  Setup().cancel = true;
  EndSetup();
}

void EndSetup() {
  if (Wizard().frame) EndDialog(Wizard().frame, 1);
}

void AskToQuit(HWND page) { AskToQuit(page, ExpandStringMessage(1000)); }

void AskToQuit(HWND page, const ExpandedMessage& question) {
  if (ShowExpandedMessage(page, question, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
    QuitSetup();
  }
}

void FolderOfControl(HWND page, int id, char (&folder)[MAX_PATH]) {
  GetDlgItemTextA(page, id, folder, sizeof folder);
  TrimTrailingBackslashes(folder);
}

void RunWizard() {
  const HRESULT com = CoInitialize(nullptr);  // the folder browser needs COM on this thread
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  DialogBoxParamA(Setup().instance, MAKEINTRESOURCEA(kFrameDialog), nullptr, FrameProc, 0);
  // A quit during phase 1 is not waited for on the pages; the worker stops before its next
  // command, and Setup does not shut down under it.
  WaitForPhaseWorkers(30000);
  Wizard() = WizardState{};
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace quillo::setup
