#include "drop_operation.h"

#include <cstring>

#include "dropped_names.h"

namespace quillo {
namespace {

// Copies text with its NUL when it fits whole; otherwise out becomes empty (when it has room).
bool CopyWhole(std::string_view text, char* out, std::size_t size) {
  if (out == nullptr || size == 0) return false;
  out[0] = '\0';
  if (text.empty() || text.size() >= size) return false;
  std::memcpy(out, text.data(), text.size());
  out[text.size()] = '\0';
  return true;
}

bool IsDrive(std::string_view path) {
  return path.size() == 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// "\\server" or "\\server\share": the network, or a share's root.
bool IsNetworkRoot(std::string_view path) {
  if (path.substr(0, 2) != "\\\\") return false;
  const std::size_t share = path.find('\\', 2);
  return share == std::string_view::npos || path.find('\\', share + 1) == std::string_view::npos;
}

// A path that names a root, which has no parent folder and is never removed.
bool IsRoot(std::string_view path) {
  if (IsDrive(path) || IsNetworkRoot(path)) return true;
  return path.size() == 3 && IsDrive(path.substr(0, 2)) && path[2] == '\\';
}

// The path without its last component (a trailing backslash does not count as one); empty
// when it has no backslash or names a root.
std::string_view ContainingFolder(std::string_view path) {
  if (IsRoot(path)) return {};
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return {};
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

bool ParentFolderPath(std::string_view path, char* out, std::size_t size) {
  std::string_view parent = ContainingFolder(path);
  if (IsDrive(parent)) parent = path.substr(0, 3);  // the root keeps its backslash
  return CopyWhole(parent, out, size);
}

bool DropDestination(std::string_view path, char* out, std::size_t size) {
  if (size < 2 || !IsFullPath(path)) {
    if (out != nullptr && size > 0) out[0] = '\0';
    return false;
  }
  if (!CopyWhole(path, out, size - 1)) return false;
  out[path.size() + 1] = '\0';
  return true;
}

bool RemovesEmptiedSource(int invocationMode, bool dragDeleteEmptyFolder, bool ctrlAtActivation) {
  return dragDeleteEmptyFolder && !ctrlAtActivation &&
         FileOperationFor(invocationMode) == DropFileOperation::kMove;
}

bool EmptiedSourceFolder(std::string_view firstName, char* out, std::size_t size) {
  const std::string_view folder = ContainingFolder(firstName);
  if (IsRoot(folder)) {
    if (out != nullptr && size > 0) out[0] = '\0';
    return false;
  }
  return CopyWhole(folder, out, size);
}

}  // namespace quillo
