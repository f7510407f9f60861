#include "file_commands.h"

#include <windows.h>

#include <cstring>

#include "ascii_text.h"
#include "directory_path.h"
#include "patch_records.h"
#include "payload_file.h"
#include "setup_error_code.h"
#include "setup_mode_marker.h"
#include "setup_payload.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

constexpr DWORD kRetryPauseMs = 100;

bool IsFolder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// folder + "\" (unless present) + name, cut to the path buffer.
bool JoinPath(char (&out)[MAX_PATH], const char* folder, const char* name) {
  const std::size_t length = std::strlen(folder);
  const bool hasSlash = length > 0 && folder[length - 1] == '\\';
  return FormatPath(out, sizeof out, "%s%s%s", folder, hasSlash ? "" : "\\", name);
}

// Copies, retrying every 100 ms while #TRYTIME# milliseconds have not passed.
int CopyWithRetries(const char* source, const char* destination) {
  const int tryTime = Setup().variables.Number("#TRYTIME#");
  const DWORD start = GetTickCount();
  for (;;) {
    const int result = CopySetupFile(source, destination);
    if (result == kNoError || tryTime <= 0 ||
        GetTickCount() - start >= static_cast<DWORD>(tryTime)) {
      return result;
    }
    Sleep(kRetryPauseMs);
  }
}

// Moves a locked destination aside as ".bak", deleted at the next start, and copies again.
int CopyOverLockedFile(const char* source, const char* destination) {
  Setup().reboot = true;
  char backup[MAX_PATH];
  if (!FormatPath(backup, sizeof backup, "%s.bak", destination) ||
      !MoveFileExA(destination, backup, MOVEFILE_REPLACE_EXISTING)) {
    return kCopyFailed;
  }
  MoveFileExA(backup, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);  // a failure leaves the .bak file
  const int result = CopyWithRetries(source, destination);
  return result == kSharingViolation ? kCopyFailed : result;
}

// Replaces the target's icon group 101 by this program's uninstall icon group 102, if it has one.
void UseUninstallIcon(const char* target) {
  const HINSTANCE self = Setup().instance;
  HRSRC icon = FindResourceA(self, MAKEINTRESOURCEA(102), RT_GROUP_ICON);
  HGLOBAL loaded = icon ? LoadResource(self, icon) : nullptr;
  if (loaded == nullptr) return;
  HANDLE update = BeginUpdateResourceA(target, FALSE);
  if (update == nullptr) return;
  const bool replaced = UpdateResourceA(update, RT_GROUP_ICON, MAKEINTRESOURCEA(101), 0,
                                        LockResource(loaded), SizeofResource(self, icon));
  EndUpdateResourceA(update, !replaced);
}

}  // namespace

int CreateDirCommand(const char* path) {
  ShowStatusFormat(kStatusLine, "Creating folder: %s", path);
  return EnsureDirectoryPath(path) == kDirectoryReady ? kNoError : kCreateDirFailed;
}

int CopyFileCommand(const char* source, const char* destination, const char* option) {
  char target[MAX_PATH];
  const bool fits = IsFolder(destination) ? JoinPath(target, destination, source)
                                          : FormatPath(target, sizeof target, "%s", destination);
  if (!fits) return kCopyFailed;
  ShowStatusFormat(kStatusLine, "Copying file: %s", target);
  int result = CopyWithRetries(source, target);
  if (result == kSharingViolation) {
    result = EqualIgnoringCase(option, "REBOOTIFLOCKED") ? CopyOverLockedFile(source, target)
                                                         : kCopyFailed;
  }
  if (result != kNoError && EqualIgnoringCase(option, "SILENT")) {
    result = Exists(target) ? kNoError : kCopyFailed;
  }
  return result;
}

int CopyUninstallCommand(const char* target) {
  ShowStatusFormat(kStatusLine, "Copying file: %s", target);
  if (ReadPayloadEntry("Uninstall.lis", target, PayloadRead::kImageToFile) != kNoError) {
    return kCopyFailed;
  }
  std::optional<std::vector<std::uint8_t>> image = ReadWholeFile(target);
  if (!image) return kCopyFailed;
  const std::optional<std::size_t> payloadStart = FindPayloadStart(image->data(), image->size());
  if (!payloadStart) return kCopyFailed;
  MarkAsUninstaller(*image);
  // The program part is written back alone: whether or not the resource update below keeps
  // appended data, the payload is then appended exactly once.
  const std::size_t headerAt = *payloadStart - kPayloadHeaderSize;
  if (WriteWholeFile(target, image->data(), headerAt) != kNoError) return kCopyFailed;
  UseUninstallIcon(target);
  FileHandle file(CreateFileA(target, FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  const DWORD size = static_cast<DWORD>(image->size() - headerAt);
  DWORD written = 0;
  if (!file || !WriteFile(file.get(), image->data() + headerAt, size, &written, nullptr) ||
      written != size) {
    return kCopyFailed;
  }
  return kNoError;
}

int DeleteFileCommand(const char* pattern) {
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA(pattern, &found));
  if (!search) return kNoError;
  const char* slash = std::strrchr(pattern, '\\');
  const std::size_t folderLength = slash ? static_cast<std::size_t>(slash - pattern + 1) : 0;
  const int tryTime = Setup().variables.Number("#TRYTIME#");
  const DWORD allowed = static_cast<DWORD>(tryTime > 1000 ? tryTime : 1000);
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    char path[MAX_PATH];
    if (!FormatPath(path, sizeof path, "%.*s%s", static_cast<int>(folderLength), pattern,
                    found.cFileName)) {
      continue;
    }
    ShowStatusFormat(kStatusLine, "Deleting file: %s", path);
    const DWORD start = GetTickCount();
    while (!DeleteFileA(path) && Exists(path) && GetTickCount() - start < allowed) {
      Sleep(kRetryPauseMs);
    }
  } while (FindNextFileA(search.get(), &found));
  return kNoError;
}

int RemoveDirCommand(const char* path) {
  ShowStatusFormat(kStatusLine, "Removing directory: %s", path);
  if (!Exists(path)) return kNoError;
  return RemoveDirectoryA(path) ? kNoError : kRemoveDirFailed;
}

int PatchFileCommand(const char* source, const char* patchFile, const char* folder) {
  ShowStatusFormat(kStatusLine, "Patching file: %s", source);
  // The output takes the patch file's name with the source's three-letter extension.
  const char* patchSlash = std::strrchr(patchFile, '\\');
  char output[MAX_PATH];
  if (!JoinPath(output, folder, patchSlash ? patchSlash + 1 : patchFile)) return kPatchFailed;
  const std::size_t outputLength = std::strlen(output), sourceLength = std::strlen(source);
  if (outputLength < 3 || sourceLength < 3) return kPatchFailed;
  std::memcpy(output + outputLength - 3, source + sourceLength - 3, 3);

  const int copied = CopySetupFile(source, output);
  if (copied != kNoError) return copied;
  FileHandle file(CreateFileA(output, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return kPatchFailed;
  const std::optional<std::vector<std::uint8_t>> patch = LoadSetupFile(patchFile, 0);
  if (!patch) return kPatchFailed;
  const auto records = ParsePatchRecords(patch->data(), patch->size());
  if (!records) return kPatchFailed;
  for (const PatchRecord& record : *records) {
    DWORD written = 0;
    LARGE_INTEGER offset{};
    offset.QuadPart = record.offset;
    if (!SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN) ||
        !WriteFile(file.get(), record.bytes, record.length, &written, nullptr) ||
        written != record.length) {
      return kPatchFailed;
    }
  }
  return kNoError;
}

}  // namespace quillo::setup
