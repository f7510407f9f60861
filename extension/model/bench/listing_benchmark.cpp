// Prints how long a finished, sorted listing with icons takes for folders of 1,000 and 10,000
// files, next to a bare FindFirstFileA walk and a bare IShellFolder::EnumObjects walk (in-folder
// names and the attribute query) over the same folder in the same process.
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "listing_cache.h"
#include "model_context.h"
#include "options_record.h"
#include "shell_attributes.h"

using Microsoft::WRL::ComPtr;
using namespace quillo;

namespace {

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void MakeFolder(const std::string& path, int files) {
  CreateDirectoryA(path.c_str(), nullptr);
  const char* extensions[] = {"txt", "dat", "log", "csv", "ini"};
  for (int i = 0; i < files; ++i) {
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s\\file%05d.%s", path.c_str(), i, extensions[i % 5]);
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

int FindWalk(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  int count = 0;
  if (find == INVALID_HANDLE_VALUE) return 0;
  do ++count; while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

int ShellWalk(IShellFolder* desktop, LPCITEMIDLIST list) {
  ComPtr<IShellFolder> folder;
  if (FAILED(desktop->BindToObject(list, nullptr, IID_IShellFolder,
                                   reinterpret_cast<void**>(folder.GetAddressOf())))) {
    return 0;
  }
  ComPtr<IEnumIDList> children;
  if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS,
                          children.GetAddressOf()) != S_OK) {
    return 0;
  }
  int count = 0;
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
  return count;
}

}  // namespace

int main() {
  setvbuf(stdout, nullptr, _IONBF, 0);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  OptionsRecord options{};
  InitOptions(options, SystemColors{});
  ModelContext context;
  context.options = &options;
  SHGetMalloc(&context.allocator);
  SHGetDesktopFolder(&context.desktop);
  context.itemsPerColumn = 40;
  context.keepWaiting = [](void*) { return true; };
  options.multiColumn = 1;
  // The extension's initialisation fetches the system image list before any menu opens; its
  // first creation in a process (about 20 ms under Wine) is not part of a listing.
  SHFILEINFOA info{};
  SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);

  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  for (int files : {1000, 10000}) {
    const std::string path = std::string(temp) + "quillo_bench_" + std::to_string(files);
    if (FindWalk(path) < files) MakeFolder(path, files);
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    LPITEMIDLIST list = nullptr;
    if (FAILED(context.desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &list,
                                                 nullptr))) {
      std::printf("cannot parse %s\n", path.c_str());
      return 1;
    }
    ShellWalk(context.desktop, list);  // warm the file-system caches once
    // The machine is shared: each figure is the best of several interleaved rounds.
    double find = 1e9, shell = 1e9, listed = 1e9;
    int found = 0, walked = 0;
    std::size_t entries = 0;
    for (int round = 0; round < 5; ++round) {
      double start = Seconds();
      found = FindWalk(path);
      find = std::min(find, Seconds() - start);
      start = Seconds();
      walked = ShellWalk(context.desktop, list);
      shell = std::min(shell, Seconds() - start);
      ListingCache cache(context);  // a fresh cache: nothing reused between rounds
      MenuEntry entry = MakeRootEntry(list, kAttrFolder | kAttrFileSystem);
      entry.parentEntryFlag = 0;
      start = Seconds();
      FolderListing* listing = cache.Acquire(entry, false, false);
      listed = std::min(listed, Seconds() - start);
      entries = listing ? listing->entries.count() : 0;
      if (listing) cache.Release(listing);
    }
    std::printf("%5d files (best of 5): FindFirstFileA %.3f s (%d)  shell walk %.3f s (%d)  listing %.3f s "
                "(%u entries)  listing/shell %.2f  listing/find %.1f\n",
                files, find, found, shell, walked, listed, static_cast<unsigned>(entries),
                listed / shell, listed / find);
    CoTaskMemFree(list);
  }
  context.desktop->Release();
  context.allocator->Release();
  CoUninitialize();
  return 0;
}
