// The baselines every benchmark sets the product's figures against, measured in the process
// whose figures they are compared with: a bare FindFirstFileA walk of a folder (one level, or
// the whole tree below it), and a bare shell enumeration of it (EnumObjects with in-folder names
// and the attribute query the item model makes, nothing else). Header only, Windows only.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "shell_attributes.h"

namespace quillo::bench {

// Milliseconds of the performance counter.
inline double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Entries of the folder other than "." and "..".
inline int RawWalk(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

// Adds the sizes of every file below the folder to *bytes; returns the entries seen. path holds
// the folder's path with room for MAX_PATH more characters; it is extended and restored in place.
// Wide, as the product's scans walk.
inline std::int64_t RawTreeWalk(wchar_t* path, std::size_t length, std::uint64_t* bytes) {
  std::wmemcpy(path + length, L"\\*.*", 5);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path, &found);
  path[length] = L'\0';
  if (search == INVALID_HANDLE_VALUE) return 0;
  std::int64_t count = 0;
  do {
    ++count;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      *bytes += (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    } else if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0) {
      const std::size_t name = std::wcslen(found.cFileName);
      path[length] = L'\\';
      std::wmemcpy(path + length + 1, found.cFileName, name + 1);
      count += RawTreeWalk(path, length + 1 + name, bytes);
      path[length] = L'\0';
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

// Children of the folder (absolute list) the shell enumerates with the flags the default options
// ask for (hidden items included), each with its in-folder name and attributes asked for; -1
// when the folder cannot be bound.
inline int ShellWalk(IShellFolder* desktop, LPCITEMIDLIST list) {
  const SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
  IShellFolder* folder = nullptr;
  if (FAILED(desktop->BindToObject(list, nullptr, IID_IShellFolder,
                                   reinterpret_cast<void**>(&folder)))) {
    return -1;
  }
  IEnumIDList* children = nullptr;
  int count = 0;
  if (folder->EnumObjects(nullptr, flags, &children) == S_OK && children != nullptr) {
    LPITEMIDLIST child = nullptr;
    while (children->Next(1, &child, nullptr) == S_OK) {
      STRRET name{};
      if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_INFOLDER, &name)) &&
          name.uType == STRRET_WSTR) {
        CoTaskMemFree(name.pOleStr);
      }
      SFGAOF attributes = kAttrQueryMask;
      LPCITEMIDLIST item = child;
      folder->GetAttributesOf(1, &item, &attributes);
      CoTaskMemFree(child);
      ++count;
    }
    children->Release();
  }
  folder->Release();
  return count;
}

}  // namespace quillo::bench
