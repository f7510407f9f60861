// The license agreement page (105): the text of #EULA# or of the built-in agreement.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "payload_file.h"
#include "setup_error_code.h"
#include "setup_message.h"
#include "setup_state.h"
#include "wizard.h"
#include "wizard_pages.h"
#include "wizard_rules.h"

namespace quillo::setup {
namespace {

constexpr int kAgreementText = 1008;
constexpr int kBuiltInAgreement = 120;

// The TEXT resource (not NUL-terminated in the program file), or nothing.
std::optional<std::string> BuiltInAgreement() {
  HINSTANCE instance = Setup().instance;
  HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(kBuiltInAgreement), "TEXT");
  HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (bytes == nullptr) return std::nullopt;
  return std::string(bytes, SizeofResource(instance, info));
}

std::optional<std::string> AgreementText() {
  const VariableTable& variables = Setup().variables;
  if (!variables.IsDefined("#EULA#")) return std::nullopt;
  const char* name = variables.Text("#EULA#");
  if (name[0] == '\0') return BuiltInAgreement();
  std::optional<std::vector<std::uint8_t>> file = LoadSetupFile(name, 0);
  if (!file) return std::nullopt;
  // The text ends at its first NUL byte, if any.
  std::string text(file->begin(), file->end());
  return text.substr(0, text.find('\0'));
}

}  // namespace

void LicensePageInit(HWND page) {
  const std::optional<std::string> text = AgreementText();
  if (!text) {
    ShowCodeMessage(page, kStartupFailed);
    QuitSetup();
    return;
  }
  SetDlgItemTextA(page, kAgreementText, WithControlLineBreaks(*text, false).c_str());
}

void LicensePageCommand(HWND page, int control) {
  switch (control) {
    case kNextButton:
      ShowPage(page, Setup().variables.IsDefined("#ASKPATH#") ? kFolderPage : kProgressPage);
      break;
    case kCancelButton:
      AskToQuit(page);
      break;
    case kBackButton:
      ShowPage(page, kWelcomePage);
      break;
    default:
      break;
  }
}

}  // namespace quillo::setup
