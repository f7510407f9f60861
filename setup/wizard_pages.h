// Each page's behaviour beyond the common set-up: what it shows when created and what its
// buttons do. The page ids are the dialog resource numbers.
#pragma once

#include <windows.h>

namespace quillo::setup {

enum WizardPageId {
  kWelcomePage = 104,
  kLicensePage = 105,
  kFolderPage = 109,
  kProgressPage = 110,
  kFinishPage = 111,
  kUninstallWelcomePage = 114,
  kUninstallProgressPage = 115,
  kUninstallFinishPage = 117,
};

// Button ids the pages share.
enum WizardButton { kNextButton = 1, kCancelButton = 2, kBackButton = 3 };

struct WizardPage {
  int id;
  void (*init)(HWND page);
  void (*command)(HWND page, int control);
  // Messages beyond WM_INITDIALOG and WM_COMMAND; true when handled, with the dialog result.
  bool (*message)(HWND page, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);
};

void WelcomePageInit(HWND page);
void WelcomePageCommand(HWND page, int control);
void LicensePageInit(HWND page);
void LicensePageCommand(HWND page, int control);
void FolderPageInit(HWND page);
void FolderPageCommand(HWND page, int control);
void ProgressPageInit(HWND page);
void ProgressPageCommand(HWND page, int control);
bool ProgressPageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);
void FinishPageInit(HWND page);
void FinishPageCommand(HWND page, int control);
void UninstallFinishPageInit(HWND page);

}  // namespace quillo::setup
