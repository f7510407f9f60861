#include "config_transfer.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "core/config_archive.h"
#include "core/message_box_style.h"
#include "core/text_compare.h"
#include "data_tree.h"
#include "directory_path.h"
#include "file_dialog.h"
#include "lwf_app.h"
#include "lwf_message_box.h"
#include "whole_file.h"

namespace lwf {
namespace {

constexpr char kArchiveExtension[] = "LarkwellConfig";
constexpr char kArchiveFilter[] = "Larkwell Configuration Data\0*.LarkwellConfig\0All files\0*.*\0";
// The options program keeps nothing through a restore and backs up only its data files.
constexpr char kKeepPatterns[] = "";
constexpr char kDataFilePattern[] = "*.lcf";
constexpr std::size_t kMaxArchiveSize = 64u << 20;
constexpr std::uint32_t kErrorStyle = kMbIconError | kMbOk | kMbBoldFirstLine;

void ShowConfigError(HWND owner, int index) {
  LwfMessageBox(owner, nullptr, Text(kTextConfigError, index), kErrorStyle, 0);
}

bool ConfirmOverwrite(HWND owner) {
  return LwfMessageBox(owner, nullptr, Text(kTextConfigError, 0),
                       kMbIconQuestion | kMbYesNoCancel | kMbDefaultCancel | kMbBoldFirstLine, 0) == kIdYes;
}

const char* ChooseArchive(FileDialogKind kind) {
  char initial[MAX_PATH];
  std::snprintf(initial, sizeof initial, "%s.%s", App().productName, kArchiveExtension);
  return FileDialog(kind, kArchiveFilter, initial);
}

DosTimeStamp Now() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr || local->tm_year < 80) return {0, 0x21};  // 1980-01-01
  return {static_cast<std::uint16_t>(local->tm_hour << 11 | local->tm_min << 5 | local->tm_sec / 2),
          static_cast<std::uint16_t>((local->tm_year - 80) << 9 | (local->tm_mon + 1) << 5 | local->tm_mday)};
}

bool AddProductEntry(ZipWriter& writer) {
  const Bytes product = ProductEntryContent(kKeepPatterns, App().version);
  return writer.Add(App().productName, product.data(), product.size());
}

std::string DataPath(const std::string& relative) {
  std::string path = std::string(App().dataFolder) + "\\" + relative;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// Adds every data file under its relative name with '/'; the number of files that failed.
int AddDataFiles(ZipWriter& writer) {
  int failed = 0;
  for (std::string relative : ListDataTree(App().dataFolder, {kDataFilePattern})) {
    Bytes bytes;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (!ReadWholeFile(DataPath(relative).c_str(), kMaxZipEntrySize, bytes) ||
        !writer.Add(relative, bytes.data(), bytes.size())) {
      ++failed;
    }
  }
  return failed;
}

int Backup(HWND owner) {
  const char* target = ChooseArchive(FileDialogKind::kSave);
  if (target == nullptr) return kConfigCancelled;
  ZipWriter writer(Now());
  const bool productAdded = AddProductEntry(writer);
  const int failed = AddDataFiles(writer);
  if (!productAdded || !WriteWholeFile(target, writer.Finish())) {
    ShowConfigError(owner, 1);
    return kConfigArchiveFailed;
  }
  if (failed > 0) {
    ShowConfigError(owner, 4);
    return kConfigFilesFailed;
  }
  return kConfigDone;
}

int Reset(HWND owner) {
  if (!ConfirmOverwrite(owner)) return kConfigCancelled;
  char pending[MAX_PATH];
  ZipWriter writer(Now());
  if (!PendingArchivePath(pending) || !AddProductEntry(writer) || !WriteWholeFile(pending, writer.Finish())) {
    ShowConfigError(owner, 1);
    return kConfigArchiveFailed;
  }
  return kConfigDone;
}

bool SameFile(const char* a, const char* b) {
  char fullA[MAX_PATH], fullB[MAX_PATH];
  const DWORD lengthA = GetFullPathNameA(a, sizeof fullA, fullA, nullptr);
  const DWORD lengthB = GetFullPathNameA(b, sizeof fullB, fullB, nullptr);
  return lengthA > 0 && lengthA < sizeof fullA && lengthB > 0 && lengthB < sizeof fullB &&
         EqualsIgnoringCase(fullA, fullB);
}

// The chosen archive is read and checked whole; what is put in place is exactly what was checked.
int Restore(HWND owner) {
  const char* source = ChooseArchive(FileDialogKind::kOpen);
  if (source == nullptr) return kConfigCancelled;
  Bytes bytes;
  const bool readable = ReadWholeFile(source, kMaxArchiveSize, bytes);
  const ConfigArchiveStatus status =
      readable ? ReadConfigArchive(bytes.data(), bytes.size(), App().productName).status : ConfigArchiveStatus::kDamaged;
  if (status == ConfigArchiveStatus::kDamaged) {
    ShowConfigError(owner, 1);
    return kConfigArchiveFailed;
  }
  if (status == ConfigArchiveStatus::kWrongProduct) {
    ShowConfigError(owner, 3);
    return kConfigWrongProduct;
  }
  char sourcePath[MAX_PATH];
  std::snprintf(sourcePath, sizeof sourcePath, "%s", source);  // the dialog's buffer is shared
  if (!ConfirmOverwrite(owner)) return kConfigCancelled;
  char pending[MAX_PATH];
  if (!PendingArchivePath(pending) || SameFile(sourcePath, pending) || !WriteWholeFile(pending, bytes)) {
    ShowConfigError(owner, 2);
    return kConfigPendingFailed;
  }
  return kConfigDone;
}

// Moves the file to the Recycle Bin where possible, silently; one operation per file, so that a
// file that cannot be deleted (held by another program) does not stop the others.
void DeleteToRecycleBin(const std::string& path) {
  std::string list = path;
  list.push_back('\0');  // double-NUL-terminated list of one
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR | FOF_ALLOWUNDO;
  SHFileOperationA(&operation);  // a file that cannot be deleted stays
}

// Every file of the data folder but those the archive keeps and the pending archive itself.
void RemoveDataFiles(const std::string& keepPatterns, const char* archivePath) {
  const std::vector<std::string> keep = ListDataTree(App().dataFolder, SplitPatterns(keepPatterns));
  for (const std::string& relative : ListDataTree(App().dataFolder, {"*.*"})) {
    const std::string path = DataPath(relative);
    if (std::find(keep.begin(), keep.end(), relative) == keep.end() && !EqualsIgnoringCase(path.c_str(), archivePath)) {
      DeleteToRecycleBin(path);
    }
  }
}

void Unpack(const ConfigFile& file) {
  const std::string path = DataPath(file.name);
  const std::size_t slash = path.rfind('\\');
  if (path.size() >= MAX_PATH || slash == std::string::npos) return;
  quillo::EnsureDirectoryPath(path.substr(0, slash).c_str());
  WriteWholeFile(path.c_str(), file.bytes);  // an entry that cannot be written is skipped
}

}  // namespace

bool PendingArchivePath(char (&path)[MAX_PATH]) {
  const int written =
      std::snprintf(path, sizeof path, "%s\\%s.%s", App().dataFolder, App().productName, kArchiveExtension);
  return written > 0 && static_cast<std::size_t>(written) < sizeof path;
}

int ConfigTransfer(HWND owner, int operation) {
  switch (operation) {
    case kConfigRestore:
      return Restore(owner);
    case kConfigBackup:
      return Backup(owner);
    case kConfigReset:
      return Reset(owner);
    default:
      return kConfigCancelled;
  }
}

void ApplyPendingArchive(const char* archivePath) {
  Bytes bytes;
  if (ReadWholeFile(archivePath, kMaxArchiveSize, bytes)) {
    const ConfigArchive archive = ReadConfigArchive(bytes.data(), bytes.size(), App().productName);
    if (archive.status == ConfigArchiveStatus::kValid) RemoveDataFiles(archive.keepPatterns, archivePath);
    if (archive.status != ConfigArchiveStatus::kDamaged) {
      for (const ConfigFile& file : archive.files) Unpack(file);
    }
  }
  DeleteFileA(archivePath);
}

}  // namespace lwf
