#include "select_object_dialog.h"

#include <commctrl.h>
#include <wrl/client.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/bounded_text.h"
#include "dialog_state.h"
#include "lwf_app.h"
#include "shell_item.h"
#include "subdialog_ids.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

constexpr ULONG kAskedAttributes =
    SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_SHARE | SFGAO_LINK | SFGAO_GHOSTED;
constexpr SHCONTF kEnumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
constexpr int kShareOverlay = 1;
constexpr int kLinkOverlay = 2;

// One tree item: its absolute list (owned) and what the tree shows of it.
struct TreeNode {
  TreeNode(IMalloc* allocator, LPITEMIDLIST absolute) : list(allocator, absolute) {}
  IdListOwner list;
  char name[MAX_PATH] = "";         // in-folder display name
  char parsingName[MAX_PATH] = "";  // parsing name (a path for file-system items)
  ULONG attributes = 0;
  int icon = 0;
  int openIcon = 0;
  HTREEITEM item = nullptr;
  bool expandedOnce = false;
};

struct SelectObject {
  int mode;
  char* text;
  LPITEMIDLIST* list;
  ComPtr<IShellFolder> desktop;
  ComPtr<IMalloc> allocator;
  HWND tree = nullptr;
  // Declared last: the nodes free their lists through the allocator above.
  std::vector<std::unique_ptr<TreeNode>> nodes;
};

bool IsFolder(const TreeNode& node) { return (node.attributes & SFGAO_FOLDER) != 0; }

int SystemIcon(LPCITEMIDLIST list, UINT extra, HIMAGELIST* imageList) {
  SHFILEINFOA info{};
  const auto result = SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
                                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra);
  if (imageList != nullptr && result != 0) *imageList = reinterpret_cast<HIMAGELIST>(result);
  return info.iIcon;
}

// Adds a node for the absolute list (taken over) below parent; attributes as the parent folder
// reported them.
TreeNode* InsertNode(SelectObject& state, HTREEITEM parent, LPITEMIDLIST absolute, ULONG attributes) {
  auto node = std::make_unique<TreeNode>(state.allocator.Get(), absolute);
  node->attributes = attributes;
  IShellFolder* desktop = state.desktop.Get();
  GetDisplayName(desktop, absolute, node->name, sizeof node->name, SHGDN_INFOLDER);
  GetDisplayName(desktop, absolute, node->parsingName, sizeof node->parsingName, SHGDN_FORPARSING);
  HIMAGELIST images = nullptr;
  node->icon = SystemIcon(absolute, 0, &images);
  node->openIcon = SystemIcon(absolute, SHGFI_OPENICON, nullptr);
  if (images != nullptr) TreeView_SetImageList(state.tree, images, TVSIL_NORMAL);

  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = LPSTR_TEXTCALLBACKA;
  insert.item.iImage = I_IMAGECALLBACK;
  insert.item.iSelectedImage = I_IMAGECALLBACK;
  insert.item.cChildren = IsFolder(*node) ? 1 : 0;
  insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
  const int overlay = (attributes & SFGAO_LINK) ? kLinkOverlay : ((attributes & SFGAO_SHARE) ? kShareOverlay : 0);
  insert.item.state = INDEXTOOVERLAYMASK(overlay);
  insert.item.stateMask = TVIS_OVERLAYMASK;
  node->item = reinterpret_cast<HTREEITEM>(
      SendMessageA(state.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (node->item == nullptr) return nullptr;
  state.nodes.push_back(std::move(node));
  return state.nodes.back().get();
}

TreeNode* NodeOf(HWND tree, HTREEITEM item) {
  TVITEMA data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (item == nullptr || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return nullptr;
  return reinterpret_cast<TreeNode*>(data.lParam);
}

// Children sort through the desktop's comparison of their absolute lists, never as equal.
int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM desktop) {
  const HRESULT order = reinterpret_cast<IShellFolder*>(desktop)->CompareIDs(
      0, reinterpret_cast<TreeNode*>(a)->list.get(), reinterpret_cast<TreeNode*>(b)->list.get());
  return static_cast<short>(HRESULT_CODE(order)) < 0 ? -1 : 1;
}

// The folder of a node's children: the desktop itself for the desktop, else bound from it. A
// node that cannot be bound has no children here (its list is not a child of the desktop).
ComPtr<IShellFolder> FolderOf(const SelectObject& state, const TreeNode& node) {
  if (IsEmptyIdList(node.list.get())) return state.desktop;
  ComPtr<IShellFolder> folder;
  if (FAILED(state.desktop->BindToObject(node.list.get(), nullptr, IID_IShellFolder,
                                         reinterpret_cast<void**>(folder.GetAddressOf())))) {
    return nullptr;
  }
  return folder;
}

int InsertChildren(SelectObject& state, HWND dialog, TreeNode& node) {
  const ComPtr<IShellFolder> folder = FolderOf(state, node);
  ComPtr<IEnumIDList> children;
  if (folder == nullptr || folder->EnumObjects(dialog, kEnumFlags, children.GetAddressOf()) != S_OK) return 0;
  const HTREEITEM parent = node.item;
  const LPITEMIDLIST parentList = node.list.get();
  int inserted = 0;
  LPITEMIDLIST child = nullptr;
  while (children->Next(1, &child, nullptr) == S_OK) {
    ULONG attributes = kAskedAttributes;
    LPCITEMIDLIST asked = child;
    if (FAILED(folder->GetAttributesOf(1, &asked, &attributes))) attributes = 0;
    LPITEMIDLIST absolute = JoinIdLists(state.allocator.Get(), parentList, child);
    CoTaskMemFree(child);
    if (absolute != nullptr && InsertNode(state, parent, absolute, attributes & kAskedAttributes) != nullptr) {
      ++inserted;
    }
  }
  return inserted;
}

// The first expansion of a node fills its children; a node without any loses its button.
void ExpandOnce(SelectObject& state, HWND dialog, TreeNode& node) {
  if (node.expandedOnce) return;
  node.expandedOnce = true;
  const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (InsertChildren(state, dialog, node) > 0) {
    TVSORTCB sort{node.item, CompareNodes, reinterpret_cast<LPARAM>(state.desktop.Get())};
    SendMessageA(state.tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
  } else {
    TVITEMA data{};
    data.mask = TVIF_CHILDREN;
    data.hItem = node.item;
    data.cChildren = 0;
    SendMessageA(state.tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  }
  SetCursor(previous != nullptr ? previous : LoadCursorA(nullptr, IDC_ARROW));
}

bool Initialize(SelectObject& state, HWND dialog) {
  state.tree = GetDlgItem(dialog, IDC_SELECT_TREE);
  if (FAILED(SHGetDesktopFolder(state.desktop.GetAddressOf())) ||
      FAILED(SHGetMalloc(state.allocator.GetAddressOf()))) {
    return false;
  }
  LPITEMIDLIST desktopList = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(dialog, CSIDL_DESKTOP, &desktopList)) || desktopList == nullptr) return false;
  LPITEMIDLIST root = CopyIdList(state.allocator.Get(), desktopList);
  CoTaskMemFree(desktopList);
  if (root == nullptr) return false;
  ULONG attributes = kAskedAttributes;
  if (FAILED(state.desktop->GetAttributesOf(0, nullptr, &attributes))) attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
  TreeNode* node = InsertNode(state, TVI_ROOT, root, (attributes & kAskedAttributes) | SFGAO_FOLDER);
  if (node == nullptr) return false;
  ExpandOnce(state, dialog, *node);
  SendMessageA(state.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item));
  return true;
}

void FillDisplayInfo(const SelectObject& state, TVITEMA& item) {
  const TreeNode* node = reinterpret_cast<const TreeNode*>(item.lParam);
  if (node == nullptr) return;
  if ((item.mask & TVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
    lwf::CopyText(item.pszText, static_cast<std::size_t>(item.cchTextMax), node->name);
  }
  if (item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
    const bool open = IsFolder(*node) &&
                      (SendMessageA(state.tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->item), TVIS_EXPANDED) &
                       TVIS_EXPANDED);
    item.iImage = item.iSelectedImage = open ? node->openIcon : node->icon;
  }
}

void Choose(SelectObject& state, HWND dialog) {
  const TreeNode* node = NodeOf(state.tree, TreeView_GetSelection(state.tree));
  if (node == nullptr) return;
  lwf::CopyText(state.text, MAX_PATH, state.mode == kSelectParsingName ? node->parsingName : node->name);
  if (state.list != nullptr) *state.list = CopyIdList(state.allocator.Get(), node->list.get());
  EndDialog(dialog, IDOK);
}

INT_PTR OnNotify(SelectObject& state, HWND dialog, NMHDR& header) {
  switch (header.code) {
    case TVN_GETDISPINFOA:
      FillDisplayInfo(state, reinterpret_cast<NMTVDISPINFOA&>(header).item);
      return TRUE;
    case TVN_ITEMEXPANDINGA: {
      auto& change = reinterpret_cast<NMTREEVIEWA&>(header);
      TreeNode* node = reinterpret_cast<TreeNode*>(change.itemNew.lParam);
      if ((change.action & TVE_EXPAND) && node != nullptr) ExpandOnce(state, dialog, *node);
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, FALSE);
      return TRUE;
    }
    case TVN_SELCHANGEDA:
      EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
      SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK SelectObjectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SelectObject* state = DialogState<SelectObject>(dialog, message, lParam);
  if (state == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      if (!Initialize(*state, dialog)) EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->idFrom != IDC_SELECT_TREE) return FALSE;
      return OnNotify(*state, dialog, *reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) Choose(*state, dialog);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR SelectShellObject(HWND owner, int mode, char* text, LPITEMIDLIST* list) {
  if (list != nullptr) *list = nullptr;
  SelectObject state{mode, text, list, nullptr, nullptr, nullptr, {}};
  const INT_PTR result = DialogBoxParamA(lwf::App().instance, MAKEINTRESOURCEA(IDD_SELECT_OBJECT), owner,
                                         SelectObjectProc, reinterpret_cast<LPARAM>(&state));
  // The tree's items are gone with the dialog; the nodes' lists are freed with the state.
  return result == IDOK ? IDOK : IDCANCEL;
}

}  // namespace quillo
