#include "link_commands.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstring>
#include <string>

#include "ascii_text.h"
#include "directory_path.h"
#include "payload_file.h"
#include "setup_error_code.h"
#include "setup_state.h"

using Microsoft::WRL::ComPtr;

namespace quillo::setup {
namespace {

// COM for the lifetime of the object (whatever apartment CoInitialize gives).
class ComScope {
 public:
  ComScope() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialized_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialized_;
};

// Writes the bytes to path, creating the missing folders of the path when the file cannot be
// created at once.
bool WriteCreatingFolders(const char* path, const std::uint8_t* bytes, std::size_t size) {
  if (WriteWholeFile(path, bytes, size) == kNoError) return true;
  char folder[MAX_PATH];
  if (!FormatPath(folder, sizeof folder, "%s", path)) return false;
  char* slash = std::strrchr(folder, '\\');
  if (slash == nullptr) return false;
  *slash = '\0';
  return EnsureDirectoryPath(folder) == kDirectoryReady &&
         WriteWholeFile(path, bytes, size) == kNoError;
}

bool CreateInternetShortcut(const char* target, const char* linkPath) {
  char path[MAX_PATH];
  if (!FormatPath(path, sizeof path, "%s.%s", linkPath, "url")) return false;
  const std::string text = std::string("[InternetShortcut]\r\nURL=") + target;
  return WriteCreatingFolders(path, reinterpret_cast<const std::uint8_t*>(text.data()),
                              text.size());
}

// Saves the shell link to a temporary file first, then copies its bytes to the link path.
bool CreateShellLink(const char* target, const char* linkPath, const char* arguments,
                     const char* iconFile) {
  char temp[MAX_PATH], tempLink[MAX_PATH], path[MAX_PATH];
  const DWORD tempLength = GetTempPathA(sizeof temp, temp);
  if (tempLength == 0 || tempLength >= sizeof temp) return false;
  TrimTrailingBackslashes(temp);
  if (!FormatPath(tempLink, sizeof tempLink, "%s\\Temp.%s", temp, "lnk") ||
      !FormatPath(path, sizeof path, "%s.%s", linkPath, "lnk")) {
    return false;
  }
  {
    const ComScope com;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    wchar_t wideTemp[MAX_PATH];
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link))) ||
        FAILED(link->SetPath(target)) || FAILED(link->SetArguments(arguments)) ||
        FAILED(link->SetIconLocation(iconFile[0] ? iconFile : target, 0)) ||
        FAILED(link.As(&file)) ||
        MultiByteToWideChar(CP_ACP, 0, tempLink, -1, wideTemp, MAX_PATH) == 0 ||
        FAILED(file->Save(wideTemp, TRUE))) {
      return false;
    }
  }
  const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(tempLink);
  const bool written = bytes && WriteCreatingFolders(path, bytes->data(), bytes->size());
  DeleteFileA(tempLink);
  return written;
}

}  // namespace

int CreateLinkCommand(const char* target, const char* linkPath, const char* arguments,
                      const char* iconFile) {
  ShowStatusFormat(kStatusLine, "Creating link: %s", linkPath);
  const bool internet = EqualIgnoringCase(target, "http://", 7);
  const bool made = internet ? CreateInternetShortcut(target, linkPath)
                             : CreateShellLink(target, linkPath, arguments, iconFile);
  return made ? kNoError : kCreateLinkFailed;
}

int ChangeNotifyCommand(const char* folder) {
  ShowStatusFormat(kStatusLine, "Applying changes: %s", folder);
  SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA, folder, folder);
  return kNoError;
}

}  // namespace quillo::setup
