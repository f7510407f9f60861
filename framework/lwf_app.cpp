#include "lwf_app.h"

#include <windows.h>
#include <commctrl.h>
#include <lmcons.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/bounded_text.h"
#include "core/crc32.h"
#include "core/message_box_style.h"
#include "core/text_compare.h"
#include "config_transfer.h"
#include "data_file_name.h"
#include "data_path_wait.h"
#include "framework_data_file.h"
#include "framework_window.h"
#include "init_seeding.h"
#include "lwf_message_box.h"
#include "monitor_table.h"
#include "phantom_window.h"
#include "restart.h"
#include "system_version.h"
#include "update_check.h"
#include "win_handle.h"

namespace lwf {
namespace {

constexpr char kAppStateFile[] = "(LWF)App";
constexpr char kCommandFile[] = "(LWF)Cmd";
constexpr char kWindowClass[] = "LWFWindow";

template <typename Fn>
Fn LoadFunction(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  return handle == nullptr ? nullptr
                           : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

void DeclareDpiAware() {
  using Fn = BOOL(WINAPI*)();
  if (const auto setAware = LoadFunction<Fn>("user32.dll", "SetProcessDPIAware")) setAware();
}

HFONT FontVariant(LOGFONTA font, LONG weight, LONG escapement) {
  font.lfWeight = weight;
  font.lfEscapement = escapement;
  font.lfOrientation = escapement;
  return CreateFontIndirectA(&font);
}

void CreateFonts() {
  LwfFonts& fonts = App().fonts;
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA message{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    message = metrics.lfMessageFont;
  } else {
    message.lfHeight = -11;
    CopyText(message.lfFaceName, sizeof message.lfFaceName, "Tahoma");
  }
  fonts.normal = CreateFontIndirectA(&message);
  fonts.semibold = FontVariant(message, 600, 0);
  fonts.vertical = FontVariant(message, message.lfWeight, 900);
  HDC screen = GetDC(nullptr);
  fonts.dpiScale = GetDeviceCaps(screen, LOGPIXELSX) / 96.0;
  ReleaseDC(nullptr, screen);
}

void CreateInterfaceFont() {
  LOGFONTA font{};
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(App().appState.fontSize > 0 ? App().appState.fontSize : 8,
                          GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  char face[LF_FACESIZE];
  CopyText(face, sizeof face, App().appState.fontFace);  // the stored face may lack a terminator
  CopyText(font.lfFaceName, sizeof font.lfFaceName, face[0] != '\0' ? face : "Tahoma");
  App().fonts.boldInterface = CreateFontIndirectA(&font);
}

void DestroyFonts() {
  LwfFonts& fonts = App().fonts;
  for (HFONT font : {fonts.normal, fonts.semibold, fonts.vertical, fonts.boldInterface}) {
    if (font != nullptr) DeleteObject(font);
  }
  fonts = LwfFonts{};
}

void ReadProgramVersion() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return;
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!GetFileVersionInfoA(path, 0, size, data.data()) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixed == nullptr || fixedSize < sizeof *fixed) {
    return;
  }
  App().version[0] = HIWORD(fixed->dwFileVersionMS);
  App().version[1] = LOWORD(fixed->dwFileVersionMS);
  App().version[2] = HIWORD(fixed->dwFileVersionLS);
}

// The record must be exactly 1326 bytes long.
bool ReadSetupInformation() {
  quillo::RegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, quillo::kVendorKey, 0, KEY_READ, key.receive()) !=
      ERROR_SUCCESS) {
    return false;
  }
  quillo::SetupInfoRecord record{};
  DWORD type = 0, size = sizeof record;
  if (RegQueryValueExA(key.get(), App().productName, nullptr, &type,
                       reinterpret_cast<BYTE*>(&record), &size) != ERROR_SUCCESS ||
      size != sizeof record) {
    return false;
  }
  App().setupInfo = record;
  return true;
}

void SpecialFolder(int csidl, char (&out)[MAX_PATH]) {
  out[0] = '\0';
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, out))) out[0] = '\0';
}

// Primary (per-user) and shared data folders from the setup information.
bool ComposeDataFolders() {
  char userName[UNLEN + 1] = "";
  DWORD userLength = sizeof userName;
  if (!GetUserNameA(userName, &userLength)) userName[0] = '\0';
  char appData[MAX_PATH], commonAppData[MAX_PATH];
  SpecialFolder(CSIDL_APPDATA, appData);
  SpecialFolder(CSIDL_COMMON_APPDATA, commonAppData);
  quillo::SetupInfoRecord shared = App().setupInfo;
  shared.perUserDataFolder = 0;
  return quillo::ComposeDataFolder(App().setupInfo, userName, appData, App().productName,
                                   App().dataFolder, sizeof App().dataFolder) &&
         quillo::ComposeDataFolder(shared, userName, commonAppData, App().productName,
                                   App().sharedDataFolder, sizeof App().sharedDataFolder);
}

bool FolderReady(const char* folder) {
  if (!WaitForFolder(folder)) return false;
  if (FolderWritable(folder)) return true;
  LwfMessageBox(nullptr, nullptr, Text(kTextDataPath, 0), kMbIconError | kMbOk, 0, folder);
  return false;
}

unsigned WaitForDataFolders() {
  // "-QUIT" wins: a start that only ends the running instance never waits for a folder.
  if (FindSwitch("-WAITFORDATAPATH") < 0 || FindSwitch("-QUIT") >= 0) return kLwfOk;
  if (!FolderReady(App().dataFolder)) return kLwfNoDataFolder;
  if (EqualsIgnoringCase(App().dataFolder, App().sharedDataFolder)) return kLwfOk;
  return FolderReady(App().sharedDataFolder) ? kLwfOk : kLwfNoDataFolder;
}

// A restore or reset asked for while the program ran replaces the data files before anything
// reads them.
void RunPendingRestore() {
  char archive[MAX_PATH];
  if (PendingArchivePath(archive) && GetFileAttributesA(archive) != INVALID_FILE_ATTRIBUTES) {
    ApplyPendingArchive(archive);
  }
}

void LoadApplicationState(std::uint32_t stateVersion) {
  AppState stored = DefaultAppState();  // kept when the file is missing
  ReadData(kAppStateFile, quillo::kNoIndex, &stored, sizeof stored);
  App().newVersion = AdoptAppState(stored, stateVersion);
  App().appState = stored;
}

bool CommonControlsRecent() {
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  if (comctl == nullptr) return false;
  bool recent = false;
  using Fn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
  if (const auto getVersion = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")))) {
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (SUCCEEDED(getVersion(&info))) {
      recent = ((info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF)) > ((4u << 16) + 70);
    }
  }
  FreeLibrary(comctl);
  if (recent) {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x0000FFFF};
    InitCommonControlsEx(&controls);
  }
  return recent;
}

void AllowMessagesThroughFilter() {
  using Fn = BOOL(WINAPI*)(UINT, DWORD);
  if (const auto allow = LoadFunction<Fn>("user32.dll", "ChangeWindowMessageFilter")) {
    allow(App().taskbarMessage, 1 /* MSGFLT_ADD */);
    allow(App().controlMessage, 1);
  }
}

BOOL CALLBACK FindRunningInstance(HWND window, LPARAM result) {
  char className[32], title[MAX_PATH];
  if (GetClassNameA(window, className, sizeof className) && std::strcmp(className, kWindowClass) == 0 &&
      GetWindowTextA(window, title, sizeof title) && std::strstr(title, App().productName) != nullptr) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

// Hands the start over to a running instance (or ends a "-QUIT" start).
bool HandOver(bool singleInstance) {
  const bool quit = FindSwitch("-QUIT") >= 0;
  if (!singleInstance && !quit) return false;
  HWND running = nullptr;
  EnumWindows(FindRunningInstance, reinterpret_cast<LPARAM>(&running));
  if (running != nullptr) {
    PostMessageA(HWND_BROADCAST, App().controlMessage, quit ? LWFM_QUIT : LWFM_ACTIVATE,
                 App().instanceKey);
  } else if (!quit) {
    return false;
  }
  App().secondary = true;
  return true;
}

unsigned Report(unsigned code) {
  LwfMessageBox(nullptr, nullptr, Text(kTextInitError), kMbIconError | kMbOk, 0, code);
  return code;
}

}  // namespace

LwfApp& App() {
  static LwfApp app;
  return app;
}

const char* Text(std::uint16_t id, std::size_t index) {
  const char* text = App().strings.Lookup(id, index);
  return text == nullptr ? "" : text;
}

int FindSwitch(const char* name) { return lwf::FindSwitch(App().switches, name); }

namespace {

// Steps that cannot fail: the program's identity, messages, monitors, fonts, switches, version.
void RecordProgram(const StartParameters& p) {
  LwfApp& app = App();
  DeclareDpiAware();
  app.instance = p.instance;
  app.productStringId = p.productStringId;
  CopyText(app.commandLine, sizeof app.commandLine, p.commandLine);
  app.strings.RegisterApplicationTable(kEnglish, p.applicationTable);
  CopyText(app.productName, sizeof app.productName, Text(p.productStringId));
  app.programIcon = static_cast<HICON>(
      LoadImageA(p.instance, MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));

  app.processId = GetCurrentProcessId();
  app.controlMessage = RegisterWindowMessageA("LWFMSG_LWFCONTROL");
  app.instanceKey = InstanceKey(app.productName);
  ReadMonitorTable();
  app.doubleClickTime = GetDoubleClickTime();
  CreateFonts();

  app.switches = ParseCommandLine(app.commandLine);
  app.autoStart = FindSwitch("-AUTOSTART") >= 0;
  app.startMinimized = FindSwitch("-MINIMIZE") >= 0 || ShowCommandMeansMinimized(p.showCommand);
  ReadProgramVersion();
}

// The data folders ready for use: waited for when asked, seeded, a pending restore carried out,
// the application state read and the command line stored.
unsigned PrepareDataFolders(std::uint32_t stateVersion) {
  LwfApp& app = App();
  if (!ReadSetupInformation()) return Report(kLwfNoSetupInfo);
  if (!ComposeDataFolders()) return Report(kLwfNoSetupInfo);
  if (const unsigned waited = WaitForDataFolders(); waited != kLwfOk) return waited;
  char installFolder[MAX_PATH];
  quillo::CopyBoundedText(installFolder, sizeof installFolder, app.setupInfo.installFolder,
                          sizeof app.setupInfo.installFolder);
  SeedDataFolderTree(installFolder, app.dataFolder);
  RunPendingRestore();
  LoadApplicationState(stateVersion);
  WriteData(kCommandFile, quillo::kNoIndex, app.commandLine, std::strlen(app.commandLine) + 1);
  return kLwfOk;
}

}  // namespace

unsigned Start(const StartParameters& p) {
  LwfApp& app = App();
  RecordProgram(p);
  if (const unsigned prepared = PrepareDataFolders(p.stateVersion); prepared != kLwfOk) return prepared;
  CreateInterfaceFont();

  if (!CommonControlsRecent()) return Report(kLwfOldCommonControls);
  app.taskbarMessage = RegisterWindowMessageA("TaskbarCreated");
  AllowMessagesThroughFilter();
  app.windowsVersion = quillo::WindowsVersionCode(quillo::VersionReading::kFramework);

  if (HandOver(p.singleInstance)) return kLwfHandedOver;
  if (!CreatePhantomWindows()) return Report(kLwfWindowFailed);
  AutomaticUpdateCheck();
  app.started = true;
  return kLwfOk;
}

void SaveApplicationState() {
  SaveWindowPlacements();
  WriteData(kAppStateFile, quillo::kNoIndex, &App().appState, sizeof App().appState);
}

void Teardown() {
  StopUpdateCheck();
  DestroyPhantomWindows();
  // A refused or handed-over start has no state of its own to keep.
  if (App().started && !App().secondary) SaveApplicationState();
  CloseFrameworkWindows();
  if (App().programIcon != nullptr) DestroyIcon(App().programIcon);
  App().programIcon = nullptr;
  DestroyFonts();
  CarryOutRestart();
}

}  // namespace lwf
