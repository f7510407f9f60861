// Prints, for each folder named, the median over ROUNDS interleaved rounds in one process (after
// a warm-up round) of: a bare FindFirstFileA walk, a bare shell enumeration (in-folder names and
// the attribute query), the product's finished listing (ListingCache::Acquire: sorted, with
// icons), and where a listing's time goes, step by step, each step timed on its own over the
// whole folder with the model's own functions: enumeration, names, attributes, shortcut
// resolution, filter and name truncation, absolute item ID lists, icons, sorting, then what the
// menu thread does with the first 1,024 entries: inserting the owner-drawn items and measuring
// their texts.
//   listing_benchmark ROUNDS FOLDER...
//   listing_benchmark --make-mixed FOLDER   makes a folder of 1,000 mixed entries: sub-folders,
//                                           shortcuts to files and folders, hidden files,
//                                           programs and several extensions
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "baseline_walks.h"
#include "entry_icons.h"
#include "item_filter.h"
#include "listing_cache.h"
#include "model_context.h"
#include "name_comparator.h"
#include "name_truncation.h"
#include "options_record.h"
#include "order_sort.h"
#include "shell_attributes.h"
#include "shell_item.h"
#include "shown_names.h"
#include "target_folders.h"

using Microsoft::WRL::ComPtr;
using namespace quillo;
using quillo::bench::Median;
using quillo::bench::NowMs;

namespace {

constexpr std::size_t kMenuItems = 1024;  // the most a level shows

void MakeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

void MakeShortcut(const std::string& path, const std::string& target) {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  wchar_t wide[MAX_PATH];
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
      FAILED(link->SetPath(target.c_str())) || FAILED(link.As(&file)) ||
      !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) {
    return;
  }
  file->Save(wide, TRUE);
}

// 100 sub-folders (every other one with a file in it), 100 shortcuts (to files and to
// folders), 100 hidden files, 20 programs and 680 files of eight extensions: 1,000 entries.
void MakeMixedFolder(const std::string& path) {
  CreateDirectoryA(path.c_str(), nullptr);
  char name[MAX_PATH];
  for (int i = 0; i < 100; ++i) {
    std::snprintf(name, sizeof name, "%s\\folder %03d", path.c_str(), i);
    CreateDirectoryA(name, nullptr);
    if (i % 2 == 0) MakeFile(std::string(name) + "\\inside.txt");
  }
  const char* extensions[] = {"txt", "doc", "jpg", "pdf", "ini", "dat", "html", "zip"};
  for (int i = 0; i < 680; ++i) {
    std::snprintf(name, sizeof name, "%s\\document %03d.%s", path.c_str(), i, extensions[i % 8]);
    MakeFile(name);
  }
  for (int i = 0; i < 20; ++i) {
    std::snprintf(name, sizeof name, "%s\\program %02d.exe", path.c_str(), i);
    MakeFile(name);
  }
  for (int i = 0; i < 100; ++i) {
    std::snprintf(name, sizeof name, "%s\\hidden %03d.txt", path.c_str(), i);
    MakeFile(name, FILE_ATTRIBUTE_HIDDEN);
  }
  for (int i = 0; i < 100; ++i) {
    char target[MAX_PATH];
    if (i % 2 == 0) {
      std::snprintf(target, sizeof target, "%s\\document %03d.%s", path.c_str(), i, extensions[i % 8]);
    } else {
      std::snprintf(target, sizeof target, "%s\\folder %03d", path.c_str(), i);
    }
    std::snprintf(name, sizeof name, "%s\\shortcut %03d.lnk", path.c_str(), i);
    MakeShortcut(name, target);
  }
}

// The steps of one listing, each timed over the whole folder.
enum Step { kEnumeration, kNames, kAttributes, kShortcuts, kFilter, kIdLists, kIcons, kSorting,
            kInserting, kMeasuring, kSteps };
const char* const kStepNames[kSteps] = {"enumeration", "names", "attributes", "shortcuts",
                                        "filter", "id_lists", "icons", "sorting",
                                        "inserting", "measuring"};

struct Item {
  LPITEMIDLIST child = nullptr;     // task allocator
  LPITEMIDLIST absolute = nullptr;  // shell allocator
  std::array<char, MAX_PATH> name{};
  std::array<wchar_t, MAX_PATH> realName{};
  std::array<char, MAX_PATH> path{};
  std::uint32_t attributes = 0;
  bool shown = false;
};

class Breakdown {
 public:
  Breakdown(ModelContext& context, LPCITEMIDLIST list) : context_(context), list_(list) {}
  ~Breakdown() {
    for (Item& item : items_) {
      CoTaskMemFree(item.child);
      if (item.absolute) context_.allocator->Free(item.absolute);
    }
  }

  // Names the last run asked of the shell.
  int ShellNames() const { return shellNames_; }

  // Times every step once; false when the folder cannot be bound.
  bool Run(double (&ms)[kSteps]) {
    const ShellAccess shell{context_.desktop, context_.allocator};
    double start = NowMs();
    if (!Enumerate()) return false;
    ms[kEnumeration] = Lap(start);
    wchar_t folderPath[MAX_PATH];
    GetDisplayName(shell.desktop, list_, folderPath, MAX_PATH, SHGDN_FORPARSING);
    ShownNames names(folder_.Get(), folderPath);
    for (Item& item : items_) {
      // As the listing does: the real name, and the ANSI name converted from it.
      names.Name(item.child, item.realName.data(), item.realName.size());
      WideCharToMultiByte(CP_ACP, 0, item.realName.data(), -1, item.name.data(),
                          static_cast<int>(item.name.size()), nullptr, nullptr);
    }
    ms[kNames] = Lap(start);
    shellNames_ = names.ShellQueries();
    for (Item& item : items_) item.attributes = GetAttributes(shell, folder_.Get(), item.child);
    ms[kAttributes] = Lap(start);
    TargetFolders targets(shell);
    for (Item& item : items_) {
      std::snprintf(item.path.data(), item.path.size(), "%s", item.name.data());
      if ((item.attributes & kAttrLink) == 0) continue;
      // As the listing does: the target's name and attributes through its folder.
      ItemQuery query{folder_.Get(), item.child, SHGDN_INFOLDER, nullptr, 0, nullptr, 0,
                      item.path.data(), item.path.size(), nullptr};
      query.targets = &targets;
      item.attributes = GetItemInformation(shell, query);
    }
    ms[kShortcuts] = Lap(start);
    for (Item& item : items_) {
      item.shown = ShouldShowItem(*context_.options, 0,
                                  {item.name.data(), item.path.data(), item.attributes, false});
      TruncateMiddle(item.name.data());
      TruncateMiddle(item.realName.data());
    }
    ms[kFilter] = Lap(start);
    for (Item& item : items_) item.absolute = JoinIdLists(context_.allocator, list_, item.child);
    ms[kIdLists] = Lap(start);
    std::vector<MenuEntry> entries(items_.size());
    EntryIcons icons(context_);
    for (std::size_t i = 0; i < items_.size(); ++i) {
      icons.Assign(entries[i], items_[i].absolute, items_[i].attributes, folder_.Get(),
                   items_[i].child);
    }
    ms[kIcons] = Lap(start);
    std::vector<std::int32_t> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i);
    const std::atomic<std::uint8_t> cancel{0};
    SortOrder(order.data(), order.size(), [&](std::int32_t a, std::int32_t b) {
      return CompareByName({items_[a].attributes, items_[a].name.data()},
                           {items_[b].attributes, items_[b].name.data()}, false);
    }, cancel);
    ms[kSorting] = Lap(start);
    const std::size_t shown = std::min(order.size(), kMenuItems);
    HMENU popup = CreatePopupMenu();
    for (std::size_t k = 0; k < shown; ++k) {
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
      info.fType = MFT_OWNERDRAW;
      info.wID = 1;
      info.dwItemData = static_cast<ULONG_PTR>(order[k]);
      InsertMenuItemA(popup, static_cast<UINT>(k), TRUE, &info);
    }
    ms[kInserting] = Lap(start);
    Measure(order, shown);
    ms[kMeasuring] = Lap(start);
    DestroyMenu(popup);
    return true;
  }

 private:
  static double Lap(double& start) {
    const double now = NowMs();
    const double took = now - start;
    start = now;
    return took;
  }

  bool Enumerate() {
    if (FAILED(context_.desktop->BindToObject(list_, nullptr, IID_PPV_ARGS(&folder_)))) return false;
    ComPtr<IEnumIDList> children;
    SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
    if (context_.options->includeHidden != 0) flags |= SHCONTF_INCLUDEHIDDEN;
    if (folder_->EnumObjects(nullptr, flags, &children) != S_OK || !children) return true;
    LPITEMIDLIST child = nullptr;
    while (children->Next(1, &child, nullptr) == S_OK) items_.push_back(Item{child});
    return true;
  }

  // What WM_MEASUREITEM asks of every shown item: its text's extent in the menu font.
  void Measure(const std::vector<std::int32_t>& order, std::size_t shown) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    for (std::size_t k = 0; k < shown; ++k) {
      const char* text = items_[static_cast<std::size_t>(order[k])].name.data();
      SIZE extent;
      GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
  }

  ModelContext& context_;
  LPCITEMIDLIST list_;
  ComPtr<IShellFolder> folder_;
  std::vector<Item> items_;
  int shellNames_ = 0;
};

struct Figures {
  std::vector<double> raw, shell, listing, steps[kSteps];
  int rawEntries = 0, shellEntries = 0, shellNames = 0;
  std::size_t listed = 0;
};

void Round(ModelContext& context, const std::string& path, LPITEMIDLIST list, Figures& f) {
  double start = NowMs();
  f.rawEntries = quillo::bench::RawWalk(path);
  f.raw.push_back(NowMs() - start);
  start = NowMs();
  f.shellEntries = quillo::bench::ShellWalk(context.desktop, list);
  f.shell.push_back(NowMs() - start);
  {
    ListingCache cache(context);  // a fresh cache: nothing reused between rounds
    MenuEntry entry = MakeRootEntry(list, kAttrFolder | kAttrFileSystem);
    entry.parentEntryFlag = 0;
    start = NowMs();
    FolderListing* listing = cache.Acquire(entry, false, false);
    f.listing.push_back(NowMs() - start);
    f.listed = listing ? listing->entries.count() : 0;
    if (listing) cache.Release(listing);
  }
  double ms[kSteps] = {};
  Breakdown breakdown(context, list);
  breakdown.Run(ms);
  f.shellNames = breakdown.ShellNames();
  for (int s = 0; s < kSteps; ++s) f.steps[s].push_back(ms[s]);
}

void Report(const std::string& path, const Figures& f) {
  const std::string name = path.substr(path.find_last_of('\\') + 1);
  const double shell = Median(f.shell), listing = Median(f.listing);
  std::printf("listing folder=%s entries=%d raw_ms=%.1f shell_ms=%.1f listing_ms=%.1f "
              "listing/shell=%.2f listing/raw=%.1f (%d shell entries, %u listed; medians of %u)\n",
              name.c_str(), f.rawEntries, Median(f.raw), shell, listing,
              shell > 0 ? listing / shell : 0.0, Median(f.raw) > 0 ? listing / Median(f.raw) : 0.0,
              f.shellEntries, static_cast<unsigned>(f.listed), static_cast<unsigned>(f.raw.size()));
  std::printf("breakdown folder=%s", name.c_str());
  double sum = 0;
  for (int s = 0; s < kSteps; ++s) {
    std::printf(" %s=%.1f", kStepNames[s], Median(f.steps[s]));
    sum += Median(f.steps[s]);
  }
  std::printf(" sum=%.1f (%d names asked of the shell)\n", sum, f.shellNames);
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (argc == 3 && std::string(argv[1]) == "--make-mixed") {
    MakeMixedFolder(argv[2]);
    CoUninitialize();
    return 0;
  }
  const int rounds = argc > 2 ? std::atoi(argv[1]) : 0;
  if (rounds < 1) {
    std::fprintf(stderr, "usage: listing_benchmark ROUNDS FOLDER... | --make-mixed FOLDER\n");
    return 2;
  }
  OptionsRecord options{};
  InitOptions(options, SystemColors{});
  options.multiColumn = 1;
  ModelContext context;
  context.options = &options;
  SHGetMalloc(&context.allocator);
  SHGetDesktopFolder(&context.desktop);
  context.itemsPerColumn = 40;
  context.keepWaiting = [](void*) { return true; };
  // The extension's initialisation fetches the system image list before any menu opens; its
  // first creation in a process (about 20 ms under Wine) is not part of a listing.
  SHFILEINFOA info{};
  SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  for (int a = 2; a < argc; ++a) {
    const std::string path = argv[a];
    wchar_t wide[MAX_PATH];
    LPITEMIDLIST list = nullptr;
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) ||
        FAILED(context.desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &list, nullptr))) {
      std::printf("error folder=%s cannot be parsed\n", path.c_str());
      continue;
    }
    Figures figures;
    Round(context, path, list, figures);  // warm-up: caches of the file system and the shell
    figures = Figures{};
    for (int round = 0; round < rounds; ++round) Round(context, path, list, figures);
    Report(path, figures);
    CoTaskMemFree(list);
  }
  context.desktop->Release();
  context.allocator->Release();
  CoUninitialize();
  return 0;
}
