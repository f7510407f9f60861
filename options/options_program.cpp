#include "options_program.h"

#include <cstdio>
#include <cstring>

#include "core/message_box_style.h"
#include "framework_window.h"
#include "init_options.h"
#include "lwf_app.h"
#include "lwf_dialog.h"
#include "lwf_help.h"
#include "lwf_message_box.h"
#include "options_dialog.h"
#include "options_persistence.h"
#include "options_strings.h"

namespace quillo {
namespace {

constexpr std::uint32_t kStateVersion = 1;
constexpr char kExtensionFile[] = "Quillo32.dll";

using InitOptionsFn = decltype(&::InitOptions);  // the export of Quillo32

// The extension beside this program, or null.
HMODULE LoadExtension() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return nullptr;
  char* slash = std::strrchr(path, '\\');
  if (slash == nullptr) return nullptr;
  *(slash + 1) = '\0';
  if (std::strlen(path) + sizeof kExtensionFile > sizeof path) return nullptr;
  std::strcat(path, kExtensionFile);
  return LoadLibraryA(path);
}

// Fills the record with the extension's defaults; false when the extension or its export is
// missing.
bool ReceiveDefaults() {
  HMODULE extension = LoadExtension();
  if (extension == nullptr) return false;
  const auto initOptions =
      reinterpret_cast<InitOptionsFn>(reinterpret_cast<void*>(GetProcAddress(extension, "InitOptions")));
  if (initOptions != nullptr) initOptions(&Program().options);
  FreeLibrary(extension);
  return initOptions != nullptr;
}

LRESULT CALLBACK MainWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case lwf::LWFM_SAVEDATA:
      SaveOptions(kSavePlain);
      break;
    case lwf::LWFM_HELP:
      lwf::ShowHelp(ManualName(), nullptr);
      break;
    case lwf::LWFM_ACTIVATE:
      if (Program().dialog != nullptr) {
        ShowWindow(Program().dialog, SW_SHOWNORMAL);
        SetForegroundWindow(Program().dialog);
      }
      break;
    case lwf::LWFM_QUIT:
      PostMessageA(window, WM_QUIT, 0, 0);
      break;
    case WM_DESTROY:
    case WM_QUIT:
      PostQuitMessage(0);
      break;
    default:
      break;
  }
  return lwf::CallFrameworkProc(window, message, wParam, lParam);
}

void AcquireShell() {
  if (FAILED(SHGetMalloc(&Program().allocator))) Program().allocator = nullptr;
  if (FAILED(SHGetDesktopFolder(&Program().desktop))) Program().desktop = nullptr;
  Program().favorites.SetAllocator(Program().allocator);
}

void ReleaseShell() {
  Program().favorites.Clear();
  Program().favorites.SetAllocator(nullptr);
  if (Program().desktop != nullptr) Program().desktop->Release();
  if (Program().allocator != nullptr) Program().allocator->Release();
  Program().desktop = nullptr;
  Program().allocator = nullptr;
}

int Fail(int error) {
  ReleaseShell();
  lwf::LwfMessageBox(nullptr, lwf::App().productName, lwf::Text(lwf::kTextInitError),
                     lwf::kMbIconError | lwf::kMbOk, 0, error);
  return error;
}

}  // namespace

OptionsProgram& Program() {
  static OptionsProgram program;
  return program;
}

const char* ManualName() {
  static char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%s.chm", lwf::App().productName);
  return name;
}

bool HelpOnF1(UINT message, const char* topic) {
  if (message != WM_HELP) return false;
  lwf::ShowHelp(ManualName(), topic);
  return true;
}

int RunOptionsProgram(HINSTANCE instance, const char* commandLine, int showCommand) {
  const lwf::StartParameters start{instance, kStrProductName, kOptionsStrings, true, kStateVersion,
                                   commandLine, showCommand};
  if (lwf::Start(start) != lwf::kLwfOk) return kExitOk;
  AcquireShell();
  if (!ReceiveDefaults()) return Fail(kExitInitFailed);
  LoadOptions();
  SaveOptions(kSavePlain);
  if (lwf::FindSwitch("-RESTARTASADMIN") >= 0) SaveOptions(kSaveApply);
  if (lwf::FindSwitch("-SAVEASADMIN") >= 0) {
    SaveOptions(kSaveOk);
  } else {
    HWND main = lwf::CreateFrameworkWindow(0, MainWindowHook, lwf::App().productName, 1, lwf::kWindowIsMain);
    if (main == nullptr) return Fail(kExitInitFailed);
    lwf::RunDialog(nullptr, kOptionsDialogId, OptionsDialogProc, 0);
  }
  ReleaseShell();
  return kExitOk;
}

}  // namespace quillo
