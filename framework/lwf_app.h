// LwfApp: the framework's process-wide application object and its start-up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/app_state.h"
#include "core/command_line.h"
#include "core/string_table.h"
#include "lwf_messages.h"
#include "setup_info_record.h"

namespace lwf {

constexpr std::size_t kCommandLineSize = 1040;
constexpr std::size_t kMaxMonitors = 16;

enum RestartKind : int { kRestartAsBefore = -1, kRestartNone = 0, kRestartPlain = 1, kRestartElevated = 2 };

struct FrameworkWindow {
  HWND hwnd;
  int index;
  bool isMain;
  std::uint32_t flags;
  std::uint8_t opacity;
  bool clickThrough;
  HANDLE mutex;
};

struct RestartRequest {
  int kind = kRestartNone;
  char arguments[MAX_PATH] = "";
  bool broadcast = false;
};

struct LwfFonts {
  HFONT normal = nullptr;
  HFONT semibold = nullptr;
  HFONT vertical = nullptr;
  HFONT boldInterface = nullptr;
  double dpiScale = 1.0;
};

struct LwfApp {
  HINSTANCE instance = nullptr;
  DWORD processId = 0;
  std::uint16_t productStringId = 0;
  char productName[MAX_PATH] = "";
  int version[3] = {0, 0, 0};
  char commandLine[kCommandLineSize] = "";
  SwitchList switches;
  char dataFolder[MAX_PATH] = "";
  char sharedDataFolder[MAX_PATH] = "";
  quillo::SetupInfoRecord setupInfo{};
  AppState appState = DefaultAppState();
  bool newVersion = false;
  UINT controlMessage = 0;
  UINT taskbarMessage = 0;
  std::uint32_t instanceKey = 0;
  int windowsVersion = 0;
  bool autoStart = false;
  bool startMinimized = false;
  bool secondary = false;
  bool started = false;  // the start-up ran to its end
  RestartRequest restart;
  int modalDepth = 0;
  std::vector<RECT> monitors;
  UINT doubleClickTime = 0;
  LwfFonts fonts;
  HICON programIcon = nullptr;
  HWND phantom = nullptr;
  HWND tooltip = nullptr;
  std::vector<FrameworkWindow> windows;
  LwfStringTable strings;
};

// The one application object.
LwfApp& App();

struct StartParameters {
  HINSTANCE instance;
  std::uint16_t productStringId;
  const StringEntry* applicationTable;
  bool singleInstance;
  std::uint32_t stateVersion;
  const char* commandLine;
  int showCommand;
};

// Runs the start-up; 0 to continue, else an LwfResult (already reported to the user where the
// framework reports it).
unsigned Start(const StartParameters& parameters);

// Closes the framework windows, stores the application state unless this process was secondary,
// and carries out a requested restart.
void Teardown();

// Stores every framework window's placement and the 297 bytes of "(LWF)App".
void SaveApplicationState();

// Index of a switch in the switch list, ignoring case, or -1.
int FindSwitch(const char* name);

// Text of the string table, "" when missing.
const char* Text(std::uint16_t id, std::size_t index = 0);

}  // namespace lwf
