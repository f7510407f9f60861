#include "folder_enumeration.h"

#include <shlwapi.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "display_paging.h"
#include "entry_icons.h"
#include "item_filter.h"
#include "menu_delay.h"
#include "name_comparator.h"
#include "name_truncation.h"
#include "order_sort.h"
#include "shell_attributes.h"
#include "shell_item.h"
#include "shown_names.h"
#include "target_folders.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

constexpr std::size_t kParsingNameSize = 520;

// The system's lower case of one UTF-16 unit, as the name sort ignores case.
wchar_t LowerCaseUnit(wchar_t unit) {
  return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
      CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(unit)))));
}

// Everything one enumeration works with; lives on the enumerating thread's stack.
class Enumeration {
 public:
  Enumeration(ModelContext& context, FolderListing& listing, IShellFolder* desktop)
      : context_(context),
        options_(*context.options),
        listing_(listing),
        shell_{desktop, context.allocator},
        icons_(context) {}
  Enumeration(const Enumeration&) = delete;
  Enumeration& operator=(const Enumeration&) = delete;
  ~Enumeration() {
    if (resolved_ != nullptr) context_.allocator->Free(resolved_);
  }

  bool Run();

 private:
  bool Cancelled() const { return listing_.cancel.load(std::memory_order_relaxed) != 0; }
  std::int32_t Mode() const { return context_.invocationMode.load(std::memory_order_relaxed); }

  // Appends an entry (and its display slot when inOrder). Owns idList; frees it when the entry
  // cannot be stored. Returns the entry index or -1.
  // name (with its real form realName) is null for the extension's own entries.
  long Append(std::int32_t kind, const char* name, LPITEMIDLIST idList, std::uint32_t attributes,
               std::int8_t childState, std::uint8_t parentEntryFlag, bool inOrder = true,
               const wchar_t* realName = nullptr);
  bool AppendName(const char* name, const wchar_t* realName);
  void AppendListItems(const ListSlots& list, int shown);
  void EnumerateFolder();
  void EnumerateChildren(IShellFolder* folder, ShownNames& names);
  bool WaitForSlowMedium();
  void Sort();
  void AddParentEntry();
  void AddNavigationEntries();
  void Page();

  ModelContext& context_;
  // A copy taken while the menu thread waits: a thread whose listing the cache handed over may
  // run on after the menus close, while the next initialisation reloads the options.
  const OptionsRecord options_;
  FolderListing& listing_;
  ShellAccess shell_;
  EntryIcons icons_;
  LPITEMIDLIST resolved_ = nullptr;  // the listed folder, shortcut resolved (owned)
  char path_[MAX_PATH] = {};         // its parsing name
  bool desktopListing_ = false;
  bool content_ = false;             // probe mode: something would be shown
  bool parentAdded_ = false;
};

// The name, its NUL and the offset of its real form, which goes to realNames.
bool Enumeration::AppendName(const char* name, const wchar_t* realName) {
  const auto offset = static_cast<std::int32_t>(listing_.realNames.count());
  char offsetBytes[kRealNameOffsetSize];
  std::memcpy(offsetBytes, &offset, sizeof offsetBytes);
  return listing_.names.AppendRange(name, std::strlen(name) + 1) >= 0 &&
         listing_.names.AppendRange(offsetBytes, sizeof offsetBytes) >= 0 &&
         listing_.realNames.AppendRange(realName, std::wcslen(realName) + 1) >= 0;
}

long Enumeration::Append(std::int32_t kind, const char* name, LPITEMIDLIST idList,
                         std::uint32_t attributes, std::int8_t childState,
                         std::uint8_t parentEntryFlag, bool inOrder, const wchar_t* realName) {
  MenuEntry entry{kind, idList, attributes, childState, parentEntryFlag, 0, -1, -1,
                  kSizeNotComputed};
  const std::size_t namesUsed = listing_.names.count();
  const std::size_t realNamesUsed = listing_.realNames.count();
  if (name != nullptr) {
    entry.name = static_cast<std::int32_t>(namesUsed);
    if (!AppendName(name, realName != nullptr ? realName : L"")) {
      listing_.names.Truncate(namesUsed);
      listing_.realNames.Truncate(realNamesUsed);
      if (idList) context_.allocator->Free(idList);
      return -1;
    }
  }
  const long index = listing_.entries.Append(entry);
  if (index >= 0 && (!inOrder || listing_.order.Append(static_cast<std::int32_t>(index)) >= 0)) {
    return index;
  }
  if (index >= 0) listing_.entries.RemoveAt(static_cast<std::size_t>(index));
  listing_.names.Truncate(namesUsed);
  listing_.realNames.Truncate(realNamesUsed);
  if (idList) context_.allocator->Free(idList);
  return -1;
}

// The recent items or favourites: every item that passes the drag check, with separators for
// favourites; "(Empty)" when the list holds nothing.
void Enumeration::AppendListItems(const ListSlots& list, int shown) {
  SlotsCopy slots;
  list.CopyTo(shown, slots);  // the list may be reloaded or added to while this one runs
  bool any = false;
  for (int i = 0; i < slots.Count() && !Cancelled(); ++i) {
    if (slots.IsSeparator(i)) {
      any = true;
      Append(kSeparatorEntry, nullptr, nullptr, 0, 0, 0);
      continue;
    }
    LPCITEMIDLIST item = slots.Item(i);
    if (item == nullptr) continue;
    any = true;
    char name[kParsingNameSize];
    wchar_t realName[kParsingNameSize];
    char path[kParsingNameSize];
    const std::uint32_t attributes = GetItemInformation(
        shell_, {shell_.desktop, item, SHGDN_FORPARSING, name, sizeof name, realName,
                 kParsingNameSize, path, sizeof path, nullptr});
    if (!PassesDragCheck(options_, Mode(), attributes)) continue;
    TruncateMiddle(name);
    TruncateMiddle(realName);
    const std::int8_t childState = (attributes & (kAttrFolder | kAttrLink)) ? -1 : 0;
    LPITEMIDLIST copy = CopyIdList(context_.allocator, item);
    if (copy == nullptr) continue;
    const long index = Append(0, name, copy, attributes, childState, 1, true, realName);
    if (index >= 0) icons_.Assign(listing_.entries[index], item, attributes);
  }
  if (!any) Append(kEmptyEntry, nullptr, nullptr, 0, 0, 0);
}

bool Enumeration::WaitForSlowMedium() {
  if (listing_.probeOnly && !listing_.probeSlowDrives) {
    content_ = true;  // assume content rather than wake the medium
    return false;
  }
  if (listing_.probeOnly) return true;
  for (std::int32_t round = SlowMediaWaitRounds(options_.menuDelay); round > 0; --round) {
    if (Cancelled()) return false;
    Sleep(kSlowMediaRoundMs);
  }
  return !Cancelled();
}

void Enumeration::EnumerateChildren(IShellFolder* folder, ShownNames& names) {
  SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  if (options_.includeHidden != 0) flags |= SHCONTF_INCLUDEHIDDEN;
  if (options_.includeSuperHidden != 0) flags |= 0x10000;  // SHCONTF_INCLUDESUPERHIDDEN
  ComPtr<IEnumIDList> children;
  if (folder->EnumObjects(nullptr, flags, children.GetAddressOf()) != S_OK || !children) return;
  TargetFolders targets(shell_);
  LPITEMIDLIST child = nullptr;
  while (!Cancelled() && children->Next(1, &child, nullptr) == S_OK && child != nullptr) {
    IdListOwner owner(context_.allocator, child);
    char name[MAX_PATH];
    wchar_t realName[MAX_PATH];
    char path[MAX_PATH];
    names.Name(child, realName, MAX_PATH);
    const std::uint32_t attributes = GetItemInformation(
        shell_, {folder, child, SHGDN_INFOLDER, name, sizeof name, realName, MAX_PATH, path,
                 sizeof path, nullptr, true, &targets});
    if (!ShouldShowItem(options_, Mode(), {name, path, attributes, desktopListing_})) continue;
    if (listing_.probeOnly) {
      content_ = true;
      return;
    }
    TruncateMiddle(name);
    TruncateMiddle(realName);
    const std::int8_t childState = (attributes & (kAttrFolder | kAttrLink)) ? -1 : 0;
    LPITEMIDLIST absolute = JoinIdLists(context_.allocator, resolved_, child);
    if (absolute == nullptr) continue;
    const long index = Append(0, name, absolute, attributes, childState, 0, true, realName);
    if (index >= 0) icons_.Assign(listing_.entries[index], absolute, attributes, folder, child);
  }
}

void Enumeration::EnumerateFolder() {
  const std::uint32_t attributes = GetItemInformation(
      shell_, {shell_.desktop, listing_.idList, SHGDN_FORPARSING, nullptr, 0, nullptr, 0, path_,
               sizeof path_, &resolved_});
  listing_.attributes.store(attributes, std::memory_order_relaxed);
  if (resolved_ == nullptr) return;
  desktopListing_ = IsEmptyIdList(resolved_);
  bool slow = (attributes & kAttrIsSlow) != 0;
  if (!slow && (attributes & kAttrFileSysAncestor)) {
    char root[MAX_PATH];
    std::snprintf(root, sizeof root, "%s", path_);
    if (PathStripToRootA(root) && PathAddBackslashA(root) != nullptr) {
      const UINT type = GetDriveTypeA(root);
      slow = type == DRIVE_REMOVABLE || type == DRIVE_REMOTE || type == DRIVE_CDROM;
    }
  }
  if (slow && !WaitForSlowMedium()) return;
  if ((attributes & kAttrFolder) == 0) return;
  if (desktopListing_) {
    ShownNames names(shell_.desktop, nullptr);
    EnumerateChildren(shell_.desktop, names);
    return;
  }
  ComPtr<IShellFolder> folder;
  // A folder that cannot be bound is listed as empty.
  if (FAILED(shell_.desktop->BindToObject(resolved_, nullptr, IID_IShellFolder,
                                          reinterpret_cast<void**>(folder.GetAddressOf())))) {
    return;
  }
  wchar_t folderPath[MAX_PATH];
  const bool fileSystem =
      (attributes & kAttrFileSystem) != 0 &&
      GetDisplayName(shell_.desktop, resolved_, folderPath, MAX_PATH, SHGDN_FORPARSING) ==
          kNameObtained;
  ShownNames names(folder.Get(), fileSystem ? folderPath : nullptr);
  EnumerateChildren(folder.Get(), names);
}

void Enumeration::Sort() {
  const std::uint32_t kind = listing_.attributes.load(std::memory_order_relaxed);
  if (kind == kKindFavorites || (kind == kKindRecent && options_.recentSorted == 0)) return;
  const std::size_t count = listing_.entries.count();
  const std::int32_t perColumn = context_.itemsPerColumn.load(std::memory_order_relaxed);
  if (perColumn > 0) listing_.order.Reserve(count + 2 * (count / perColumn + 2));
  if (perColumn >= 0 && count > static_cast<std::size_t>(perColumn) && kind != kKindRecent) {
    listing_.attributes.fetch_or(kListingNameSort, std::memory_order_relaxed);
  }
  const MenuEntry* entries = listing_.entries.data();
  if (listing_.attributes.load(std::memory_order_relaxed) & kListingNameSort) {
    const char* names = listing_.names.data();
    const auto realNames = ListingRealNames(listing_);
    const auto key = [&](std::int32_t i) {
      return NameKey{entries[i].attributes, names + entries[i].name,
                     EntryRealText(entries[i].name, ListingNames(listing_), realNames)};
    };
    SortOrder(listing_.order.data(), count, [&](std::int32_t a, std::int32_t b) {
      return CompareByName(key(a), key(b), desktopListing_, LowerCaseUnit);
    }, listing_.cancel);
    return;
  }
  IShellFolder* desktop = shell_.desktop;
  SortOrder(listing_.order.data(), count, [&](std::int32_t a, std::int32_t b) {
    if (entries[a].idList == nullptr || entries[b].idList == nullptr) return 0;
    const HRESULT result = desktop->CompareIDs(0, entries[a].idList, entries[b].idList);
    return static_cast<int>(static_cast<std::int16_t>(HRESULT_CODE(result)));
  }, listing_.cancel);
}

void Enumeration::AddParentEntry() {
  if (resolved_ == nullptr || desktopListing_) return;
  const std::uint32_t listed = listing_.attributes.load(std::memory_order_relaxed);
  if (!listing_.addParentEntry && (listed & kAttrLink) == 0) return;
  IdListOwner parent(context_.allocator, CopyIdList(context_.allocator, resolved_));
  if (parent.get() == nullptr || !ParentIdList(parent.get())) return;
  char name[kParsingNameSize];
  wchar_t realName[kParsingNameSize];
  char path[kParsingNameSize];
  const std::uint32_t attributes = GetItemInformation(
      shell_, {shell_.desktop, parent.get(), SHGDN_FORPARSING, name, sizeof name, realName,
               kParsingNameSize, path, sizeof path, nullptr});
  if (!ShouldShowItem(options_, Mode(), {name, path, attributes, IsEmptyIdList(parent.get())})) {
    return;
  }
  if (listing_.probeOnly) {
    content_ = true;
    return;
  }
  if (listing_.entries.count() == 0) Append(kEmptyEntry, nullptr, nullptr, 0, 0, 0);
  Append(kSeparatorEntry, nullptr, nullptr, 0, 0, 0);
  LPITEMIDLIST parentList = parent.release();
  const long index = Append(0, name, parentList, attributes, 1, 1, true, realName);
  if (index >= 0) icons_.Assign(listing_.entries[index], parentList, attributes);
  parentAdded_ = index >= 0;
}

void Enumeration::AddNavigationEntries() {
  struct Navigation {
    bool wanted;
    std::int32_t kind;
    std::uint32_t attributes;
    const ListSlots& list;
    int shown;
  };
  const Navigation navigation[] = {
      {options_.recentEnabled != 0 && listing_.addRecent != 0, kRecentEntry, kKindRecent,
       context_.recent, ShownSlots(options_.recentCount)},
      {options_.favoritesEnabled != 0 && listing_.addFavorites != 0, kFavoritesEntry,
       kKindFavorites, context_.favorites, ShownSlots(options_.favoritesCount)},
  };
  for (const Navigation& entry : navigation) {
    if (!entry.wanted) continue;
    if (!parentAdded_) Append(kSeparatorEntry, nullptr, nullptr, 0, 0, 0);
    Append(entry.kind, nullptr, entry.list.CopyFirstItem(entry.shown), entry.attributes, 1, 1);
  }
}

void Enumeration::Page() {
  const std::int32_t perColumn = context_.itemsPerColumn.load(std::memory_order_relaxed);
  if (options_.multiColumn != 0 || perColumn <= 0 ||
      listing_.entries.count() < static_cast<std::size_t>(perColumn)) {
    return;
  }
  const std::uint32_t attributes = listing_.attributes.load(std::memory_order_relaxed);
  std::int32_t folderIcon = -1;
  std::int32_t folderOpenIcon = -1;
  PageDisplayOrder(listing_.order, perColumn, [&](std::int32_t continueIndex,
                                                  std::int32_t& separator, std::int32_t& more) {
    if (continueIndex > INT16_MAX) return false;
    separator = static_cast<std::int32_t>(
        Append(kSeparatorEntry, nullptr, nullptr, 0, 0, 0, false));
    if (separator < 0) return false;
    more = static_cast<std::int32_t>(Append(kMoreEntry, nullptr,
                                            CopyIdList(context_.allocator, listing_.idList),
                                            attributes, 1, 0, false));
    if (more < 0) return false;
    MenuEntry& entry = listing_.entries[more];
    entry.continueIndex = static_cast<std::int16_t>(continueIndex);
    if (folderIcon < 0 && entry.idList != nullptr) {
      icons_.Assign(entry, entry.idList, attributes);
      folderIcon = entry.iconIndex;
      folderOpenIcon = entry.openIconIndex;
    }
    entry.iconIndex = folderIcon;
    entry.openIconIndex = folderOpenIcon;
    return true;
  }, listing_.cancel);
}

bool Enumeration::Run() {
  const std::uint32_t kind = listing_.attributes.load(std::memory_order_relaxed);
  if (kind == kKindRecent || kind == kKindFavorites) {
    if (listing_.probeOnly) return true;
    if (kind == kKindRecent) {
      AppendListItems(context_.recent, ShownSlots(options_.recentCount));
    } else {
      AppendListItems(context_.favorites, ShownSlots(options_.favoritesCount));
    }
  } else {
    EnumerateFolder();
  }
  if (!Cancelled() && !listing_.probeOnly) Sort();
  if (!Cancelled() && !content_) AddParentEntry();
  if (listing_.probeOnly) return content_;
  if (!Cancelled()) AddNavigationEntries();
  if (!Cancelled()) Page();
  return listing_.entries.count() > 0;
}

}  // namespace

bool EnumerateListing(ModelContext& context, FolderListing& listing) {
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.GetAddressOf()))) return false;
  Enumeration enumeration(context, listing, desktop.Get());
  return enumeration.Run();
}

int ChildProbe(ModelContext& context, LPCITEMIDLIST idList) {
  FolderListing* listing = CreateFolderListing(context.allocator);
  if (listing == nullptr) return 0;
  listing->probeOnly = 1;
  listing->idList = CopyIdList(context.allocator, idList);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const bool content = listing->idList != nullptr && EnumerateListing(context, *listing);
  if (SUCCEEDED(com)) CoUninitialize();
  DestroyFolderListing(listing);
  return content ? 1 : 0;
}

}  // namespace quillo
