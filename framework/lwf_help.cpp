#include "lwf_help.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "core/bounded_text.h"
#include "core/message_box_style.h"
#include "lwf_app.h"
#include "lwf_message_box.h"
#include "setup_info_record.h"

namespace lwf {
namespace {

bool FileExists(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int ShowHelp(const char* manual, const char* topic) {
  if (manual == nullptr || std::strstr(manual, ".chm") == nullptr) return kHelpNotManual;
  char path[MAX_PATH];
  CopyText(path, sizeof path, manual);
  if (!FileExists(path)) {
    char installFolder[MAX_PATH];
    quillo::CopyBoundedText(installFolder, sizeof installFolder, App().setupInfo.installFolder,
                            sizeof App().setupInfo.installFolder);
    std::snprintf(path, sizeof path, "%s\\%s", installFolder, manual);
  }
  if (!FileExists(path)) {
    LwfMessageBox(nullptr, nullptr, Text(kTextManual, 1), kMbIconError | kMbOk, 0, path);
    return kHelpMissing;
  }
  char shortPath[MAX_PATH];
  if (GetShortPathNameA(path, shortPath, sizeof shortPath) == 0) CopyText(shortPath, sizeof shortPath, path);
  char viewer[MAX_PATH] = "";
  if (reinterpret_cast<INT_PTR>(FindExecutableA(shortPath, nullptr, viewer)) <= 32 || viewer[0] == '\0') {
    LwfMessageBox(nullptr, nullptr, Text(kTextManual, 0), kMbIconError | kMbOk, 0, manual);
    return kHelpNoViewer;
  }
  char argument[MAX_PATH * 2];
  if (topic != nullptr) {
    std::snprintf(argument, sizeof argument, "\"%s::/%s\"", shortPath, topic);
  } else {
    std::snprintf(argument, sizeof argument, "\"%s\"", shortPath);
  }
  if (reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, viewer, argument, nullptr, SW_SHOWNORMAL)) <= 32) {
    LwfMessageBox(nullptr, nullptr, Text(kTextManual, 0), kMbIconError | kMbOk, 0, manual);
    return kHelpViewerFailed;
  }
  return kHelpShown;
}

}  // namespace lwf
