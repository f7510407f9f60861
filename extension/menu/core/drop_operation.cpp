#include "drop_operation.h"

#include <cwchar>

#include "dropped_names.h"

namespace quillo {
namespace {

// Copies text with its NUL when it fits whole; otherwise out becomes empty (when it has room).
bool CopyWhole(std::wstring_view text, wchar_t* out, std::size_t size) {
  if (out == nullptr || size == 0) return false;
  out[0] = L'\0';
  if (text.empty() || text.size() >= size) return false;
  std::wmemcpy(out, text.data(), text.size());
  out[text.size()] = L'\0';
  return true;
}

bool IsDrive(std::wstring_view path) {
  return path.size() == 2 && path[1] == L':' &&
         ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// "\\server" or "\\server\share": the network, or a share's root.
bool IsNetworkRoot(std::wstring_view path) {
  if (path.substr(0, 2) != L"\\\\") return false;
  const std::size_t share = path.find(L'\\', 2);
  return share == std::wstring_view::npos || path.find(L'\\', share + 1) == std::wstring_view::npos;
}

// A path that names a root, which has no parent folder and is never removed.
bool IsRoot(std::wstring_view path) {
  if (IsDrive(path) || IsNetworkRoot(path)) return true;
  return path.size() == 3 && IsDrive(path.substr(0, 2)) && path[2] == L'\\';
}

// The path without its last component (a trailing backslash does not count as one); empty
// when it has no backslash or names a root.
std::wstring_view ContainingFolder(std::wstring_view path) {
  if (IsRoot(path)) return {};
  if (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
  const std::size_t slash = path.rfind(L'\\');
  if (slash == std::wstring_view::npos) return {};
  return path.substr(0, slash);
}

}  // namespace

DropFileOperation FileOperationFor(int invocationMode) {
  return invocationMode == kCopyToFolderMode ? DropFileOperation::kCopy : DropFileOperation::kMove;
}

DropTargetChoice ChooseDropTarget(const DropTargetAttributes& entry) {
  if (!entry.folder || !entry.fileSystem || !entry.dropTarget) return DropTargetChoice::kRefuse;
  return entry.link ? DropTargetChoice::kShortcutTarget : DropTargetChoice::kOwnPath;
}

bool ParentFolderPath(std::wstring_view path, wchar_t* out, std::size_t size) {
  std::wstring_view parent = ContainingFolder(path);
  if (IsDrive(parent)) parent = path.substr(0, 3);  // the root keeps its backslash
  return CopyWhole(parent, out, size);
}

bool DropDestination(std::wstring_view path, wchar_t* out, std::size_t size) {
  if (size < 2 || !IsFullPath(path)) {
    if (out != nullptr && size > 0) out[0] = L'\0';
    return false;
  }
  if (!CopyWhole(path, out, size - 1)) return false;
  out[path.size() + 1] = L'\0';
  return true;
}

bool RemovesEmptiedSource(int invocationMode, bool dragDeleteEmptyFolder, bool ctrlAtActivation) {
  return dragDeleteEmptyFolder && !ctrlAtActivation &&
         FileOperationFor(invocationMode) == DropFileOperation::kMove;
}

bool EmptiedSourceFolder(std::wstring_view firstName, wchar_t* out, std::size_t size) {
  const std::wstring_view folder = ContainingFolder(firstName);
  if (IsRoot(folder)) {
    if (out != nullptr && size > 0) out[0] = L'\0';
    return false;
  }
  return CopyWhole(folder, out, size);
}

}  // namespace quillo
