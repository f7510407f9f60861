#include "shown_names.h"

#include <shlwapi.h>

#include <cwchar>

#include "shell_item.h"
#include "win_handle.h"

namespace quillo {
namespace {

constexpr std::size_t kJoinedSize = MAX_PATH + 16;

// folderPath\name into joined; false when it does not fit.
bool InFolder(const wchar_t* folderPath, const wchar_t* name, wchar_t (&joined)[kJoinedSize]) {
  const std::size_t length = std::wcslen(folderPath);
  if (length + std::wcslen(name) + 2 > kJoinedSize) return false;
  std::wmemcpy(joined, folderPath, length + 1);
  if (length > 0 && joined[length - 1] != L'\\') std::wcscat(joined, L"\\");
  std::wcscat(joined, name);
  return true;
}

// True when the folder, given by its absolute path, holds a "desktop.ini" (or cannot be looked
// at, which counts the same).
bool HoldsDesktopIni(const wchar_t* folderPath) {
  wchar_t path[kJoinedSize];
  return !InFolder(folderPath, L"desktop.ini", path) ||
         GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// The name as it reads after a trip through the ANSI code page; empty when it cannot make one.
std::wstring AnsiTrip(const wchar_t* name) {
  char ansi[2 * MAX_PATH];
  wchar_t back[MAX_PATH];
  if (WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof ansi, nullptr, nullptr) == 0 ||
      MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, MAX_PATH) == 0) {
    return {};
  }
  return back;
}

}  // namespace

ShownNames::ShownNames(IShellFolder* folder, const wchar_t* folderPath, int shellNamesFirst)
    : folder_(folder), shellNamesFirst_(shellNamesFirst) {
  if (folder != nullptr && folderPath != nullptr && folderPath[0] != L'\0' &&
      !PathIsRelativeW(folderPath) && std::wcsncmp(folderPath, L"::", 2) != 0) {
    folderPath_ = folderPath;
    mode_ = Mode::kShellFirst;
  }
}

// Reads the folder's file names, or leaves every name to the shell when the folder may rename
// its children or cannot be read.
void ShownNames::WalkFolder() {
  mode_ = Mode::kShellOnly;
  wchar_t pattern[kJoinedSize];
  if (HoldsDesktopIni(folderPath_.c_str()) || !InFolder(folderPath_.c_str(), L"*", pattern)) {
    return;
  }
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileExW(pattern, FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return;
  do {
    std::wstring trip = AnsiTrip(found.cFileName);
    if (trip.empty()) continue;
    const auto [at, added] = fileNames_.try_emplace(std::move(trip), found.cFileName);
    if (!added) at->second.clear();
  } while (FindNextFileW(search.get(), &found));
  mode_ = Mode::kRuled;
}

const std::wstring* ShownNames::RealFileName(const wchar_t* listed) const {
  const auto at = fileNames_.find(AnsiTrip(listed));
  return at == fileNames_.end() || at->second.empty() ? nullptr : &at->second;
}

void ShownNames::AskShell(LPCITEMIDLIST child, wchar_t* name, std::size_t size) {
  ++shellQueries_;
  GetDisplayName(folder_, child, name, size, SHGDN_INFOLDER);
}

void ShownNames::Name(LPCITEMIDLIST child, wchar_t* name, std::size_t size) {
  if (mode_ == Mode::kShellFirst && shellQueries_ >= shellNamesFirst_) WalkFolder();
  WIN32_FIND_DATAW found;
  if (mode_ != Mode::kRuled || FAILED(SHGetDataFromIDListW(folder_, child, SHGDFIL_FINDDATA, &found,
                                             sizeof found))) {
    AskShell(child, name, size);
    return;
  }
  found.cFileName[MAX_PATH - 1] = L'\0';
  const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::wstring* fileName = RealFileName(found.cFileName);
  if (fileName == nullptr ||
      (isFolder && (found.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)))) {
    AskShell(child, name, size);
    return;
  }
  const wchar_t* real = fileName->c_str();
  const ExtensionNameRules::Child item{
      isFolder, *fileName, static_cast<std::size_t>(PathFindExtensionW(real) - real)};
  if (rules_.Shown(item, name, size)) return;
  AskShell(child, name, size);
  if (std::wcslen(name) + 1 < size) rules_.Learn(item, name);  // a cut name teaches nothing
}

}  // namespace quillo
