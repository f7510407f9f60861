// The framework's private messages: sent to framework windows directly, or carried as wParam of
// the registered broadcast message "LWFMSG_LWFCONTROL" with the instance key as lParam.
#pragma once

#include <windows.h>

namespace lwf {

enum LwfMessage : UINT {
  LWFM_SAVEDATA = 0x83EC,        // save the program's data now (before a backup)
  LWFM_MODAL = 0x83F0,           // a framework dialog opened or closed; wParam = modal depth
  LWFM_HELP = 0x83F9,            // open the manual
  LWFM_ACTIVATE = 0x83FE,        // another start asks this instance to come to the front
  LWFM_TASKBARCREATED = 0x8400,  // the taskbar was (re)created
  LWFM_QUIT = 0x8404,            // another start with "-QUIT" asks this instance to end
  LWFM_RESTART = 0x8405,         // restart with the same arguments and elevation
};

// Results of the framework's start-up and window creation.
enum LwfResult : unsigned {
  kLwfOk = 0,
  kLwfWindowFailed = 0xF002,
  kLwfCommandsFailed = 0xF00A,
  kLwfMenusFailed = 0xF00B,
  kLwfHandedOver = 0xF012,
  kLwfOldCommonControls = 0xF015,
  kLwfNoSetupInfo = 0xF016,
  kLwfNoDataFolder = 0xF019,
};

}  // namespace lwf
