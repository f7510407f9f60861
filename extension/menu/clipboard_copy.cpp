#include "clipboard_copy.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "extension_state.h"
#include "menu/core/clipboard_text.h"
#include "menu/core/entry_kind.h"
#include "menu/core/list_view_order.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "shell_item.h"

namespace quillo {
namespace {

using Microsoft::WRL::ComPtr;

constexpr std::size_t kListTextSize = 260;

// The items whose names are copied, relative to folder (or absolute when folder is the
// desktop). Frees them when it goes.
struct ItemLists {
  ComPtr<IShellFolder> folder;
  std::vector<LPITEMIDLIST> lists;
  ItemLists() = default;
  ItemLists(const ItemLists&) = delete;
  ItemLists& operator=(const ItemLists&) = delete;
  ~ItemLists() {
    for (LPITEMIDLIST list : lists) State().Allocator.Free(list);
  }
};

BOOL CALLBACK FindListView(HWND window, LPARAM found) {
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  if (_strnicmp(className, "SysListView32", 13) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// A list view's thread that does not answer within this time is not asked further.
constexpr UINT kListViewAnswerMs = 250;

bool OfThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

// The list view of an open Explorer window of this process whose title is the item's name, or
// null. A window of another process is never asked: the texts come back through pointers into
// this process's memory, which that process would read in its own.
HWND FindExplorerListView(LPCITEMIDLIST item) {
  char name[kPathSize];
  GetDisplayName(Desktop(), item, name, sizeof name, SHGDN_INFOLDER);
  for (HWND cabinet = FindWindowExA(nullptr, nullptr, "CabinetWClass", name); cabinet != nullptr;
       cabinet = FindWindowExA(nullptr, cabinet, "CabinetWClass", name)) {
    if (!OfThisProcess(cabinet)) continue;
    HWND listView = nullptr;
    EnumChildWindows(cabinet, FindListView, reinterpret_cast<LPARAM>(&listView));
    if (listView != nullptr && OfThisProcess(listView)) return listView;
  }
  return nullptr;
}

// Sends to a list view of another thread of this process, waiting a bounded time; false when
// it did not answer.
bool AskListView(HWND listView, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutA(listView, message, wParam, lParam, SMTO_ABORTIFHUNG,
                             kListViewAnswerMs, &result) != 0;
}

// The texts of the list view's items in its order; nothing when it did not answer in time.
std::vector<std::string> ListViewTexts(HWND listView) {
  DWORD_PTR count = 0;
  if (!AskListView(listView, LVM_GETITEMCOUNT, 0, 0, count)) return {};
  std::vector<std::string> texts;
  for (DWORD_PTR i = 0; i < count; ++i) {
    char text[kListTextSize] = "";
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    DWORD_PTR length = 0;
    if (!AskListView(listView, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item), length)) return {};
    text[sizeof text - 1] = '\0';
    texts.emplace_back(text);
  }
  return texts;
}

void SortByName(ItemLists& items) {
  IShellFolder* folder = items.folder.Get();
  std::sort(items.lists.begin(), items.lists.end(), [folder](LPITEMIDLIST a, LPITEMIDLIST b) {
    const HRESULT result = folder->CompareIDs(0, a, b);
    return SUCCEEDED(result) && static_cast<short>(HRESULT_CODE(result)) < 0;
  });
}

// The children in the order of the folder's open Explorer window, else by name.
void OrderChildren(LPCITEMIDLIST folderItem, ItemLists& items) {
  HWND listView = FindExplorerListView(folderItem);
  MenuTrace("clipboard window=%s", listView != nullptr ? "found" : "none");
  if (listView == nullptr) return SortByName(items);
  const std::vector<std::string> texts = ListViewTexts(listView);
  std::vector<std::string> names(items.lists.size());
  for (std::size_t i = 0; i < items.lists.size(); ++i) {
    char name[kPathSize];
    GetDisplayName(items.folder.Get(), items.lists[i], name, sizeof name, SHGDN_INFOLDER);
    names[i] = name;
  }
  const std::vector<std::string_view> nameViews(names.begin(), names.end());
  const std::vector<std::string_view> textViews(texts.begin(), texts.end());
  const auto order = OrderByListView(nameViews, textViews);
  if (!order) return SortByName(items);
  std::vector<LPITEMIDLIST> ordered;
  ordered.reserve(order->size());
  for (std::size_t child : *order) ordered.push_back(items.lists[child]);
  items.lists.swap(ordered);
}

void CollectChildren(LPCITEMIDLIST folderItem, ItemLists& items) {
  SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  if (State().Options.includeAllExtensions != 0) flags |= SHCONTF_INCLUDEHIDDEN;
  ComPtr<IEnumIDList> children;
  if (items.folder->EnumObjects(nullptr, flags, &children) != S_OK || !children) return;
  LPITEMIDLIST child = nullptr;
  while (children->Next(1, &child, nullptr) == S_OK) {
    items.lists.push_back(child);
    child = nullptr;
  }
  OrderChildren(folderItem, items);
}

// The entry the copy is about: the highlighted one, or the object the menu was opened on.
const MenuEntry* CopiedEntry() {
  const ItemId highlighted = State().HighlightedItemId;
  if (highlighted == kNoItemId || IsRootItemId(highlighted)) return &Levels().root;
  return LookupEntry(highlighted);
}

// Fills items with the lists whose names go to the clipboard; false when there are none.
bool GatherItems(const MenuEntry& entry, ItemLists& items) {
  ExtensionState& state = State();
  IdListOwner item(state.Allocator.Get(), (entry.attributes & SFGAO_LINK) != 0
                                              ? ResolveShortcut(Shell(), Desktop(), entry.idList)
                                              : CopyIdList(state.Allocator.Get(), entry.idList));
  if (item.get() == nullptr) return false;
  const bool bound = !IsEmptyIdList(item.get()) &&
                     SUCCEEDED(Desktop()->BindToObject(item.get(), nullptr, IID_PPV_ARGS(&items.folder)));
  if (!bound) items.folder = Desktop();
  if ((entry.attributes & SFGAO_FOLDER) != 0 && (bound || IsEmptyIdList(item.get()))) {
    CollectChildren(item.get(), items);
    return true;
  }
  // A single item is named through the desktop with its absolute list.
  items.folder = Desktop();
  items.lists.push_back(item.release());
  return true;
}

// A movable block of the clipboard, locked while its lines are written. The clipboard owns
// it once placed; otherwise it is freed.
template <typename Char>
class ClipboardBlock {
 public:
  explicit ClipboardBlock(std::size_t lines) : capacity_(std::max<std::size_t>(lines, 1) * kClipboardBytesPerItem) {
    block_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, capacity_ * sizeof(Char));
    text_ = block_ != nullptr ? static_cast<Char*>(GlobalLock(block_)) : nullptr;
    if (text_ != nullptr) text_[0] = 0;
  }
  ClipboardBlock(const ClipboardBlock&) = delete;
  ClipboardBlock& operator=(const ClipboardBlock&) = delete;
  ~ClipboardBlock() {
    if (text_ != nullptr) GlobalUnlock(block_);
    if (block_ != nullptr) GlobalFree(block_);
  }

  bool Ready() const { return text_ != nullptr; }
  void Append(const Char* name) { used_ = AppendClipboardLine(text_, capacity_, used_, name); }
  void Place(UINT format) {
    GlobalUnlock(block_);
    text_ = nullptr;
    if (SetClipboardData(format, block_) != nullptr) block_ = nullptr;
  }

 private:
  std::size_t capacity_;  // characters
  std::size_t used_ = 0;
  HGLOBAL block_ = nullptr;
  Char* text_ = nullptr;
};

// The same lines in both texts: the ANSI names as always, and the real names for programs that
// read Unicode (a name the code page cannot hold shows there, not its question marks).
bool WriteLines(const ItemLists& items, bool fullPaths, ClipboardBlock<char>& ansi,
                ClipboardBlock<wchar_t>& unicode) {
  if (!ansi.Ready() || !unicode.Ready()) return false;
  const DWORD flags = fullPaths ? SHGDN_FORPARSING : SHGDN_INFOLDER;
  for (LPITEMIDLIST list : items.lists) {
    char name[kPathSize];
    wchar_t realName[kPathSize];
    GetDisplayName(items.folder.Get(), list, name, sizeof name, flags);
    GetDisplayName(items.folder.Get(), list, realName, kPathSize, flags);
    ansi.Append(name);
    unicode.Append(realName);
  }
  return true;
}

}  // namespace

void CopyNamesToClipboard(bool fullPaths) {
  const MenuEntry* entry = CopiedEntry();
  if (entry == nullptr || (entry->name < 0 && entry != &Levels().root)) return;
  ItemLists items;
  if (entry->idList == nullptr || !GatherItems(*entry, items)) return;
  ClipboardBlock<char> ansi(items.lists.size());
  ClipboardBlock<wchar_t> unicode(items.lists.size());
  const bool written = WriteLines(items, fullPaths, ansi, unicode);
  if (!OpenClipboard(nullptr)) return;
  // An allocation failure empties the clipboard rather than leaving an older text there.
  EmptyClipboard();
  if (written) {
    ansi.Place(CF_TEXT);
    unicode.Place(CF_UNICODETEXT);
  }
  CloseClipboard();
  MenuTrace("clipboard items=%d full=%d", static_cast<int>(items.lists.size()), fullPaths ? 1 : 0);
}

}  // namespace quillo
