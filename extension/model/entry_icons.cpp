#include "entry_icons.h"

#include <shellapi.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "model_context.h"
#include "shell_item.h"
#include "shell_attributes.h"
#include "text_compare.h"
#include "win_handle.h"

namespace quillo {
namespace {

constexpr char kFolderClass[] = "\\";
constexpr char kLinkClass = 'L';

// Extensions whose files carry or point to their own icon.
constexpr const char* kPerFileExtensions[] = {"exe", "com", "scr", "pif", "ico", "cur", "ani",
                                              "lnk", "url", "cpl", "msc", "appref-ms"};

// Reads the default value of HKEY_CLASSES_ROOT\<key>; false when it is absent.
bool ReadClassValue(const char* key, char* value, DWORD size) {
  RegKey handle;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, handle.receive()) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD length = size - 1;
  if (RegQueryValueExA(handle.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                       &length) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  value[length < size ? length : size - 1] = '\0';
  return true;
}

bool ClassKeyExists(const char* key) {
  RegKey handle;
  return RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, handle.receive()) ==
         ERROR_SUCCESS;
}

// True when the class key has a default icon that depends on the file, or an icon handler.
bool ClassDrawsPerFile(const char* classKey) {
  char key[MAX_PATH + 32];
  char value[MAX_PATH];
  std::snprintf(key, sizeof key, "%s\\DefaultIcon", classKey);
  if (ReadClassValue(key, value, sizeof value) && std::strchr(value, '%') != nullptr) return true;
  std::snprintf(key, sizeof key, "%s\\ShellEx\\IconHandler", classKey);
  return ClassKeyExists(key);
}

// The class of a file-system item: plain folders (no read-only or system attribute, which
// would let desktop.ini give them an icon) share one class, files one class per extension.
bool ClassKeyOf(DWORD attributes, const char* fileName, char* key, std::size_t size) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) return false;
    std::snprintf(key, size, "%s", kFolderClass);
    return true;
  }
  const char* dot = std::strrchr(fileName, '.');
  const char* extension = dot ? dot + 1 : "";
  if (std::strlen(extension) + 2 > size) return false;
  std::size_t at = 0;
  key[at++] = '.';
  for (const char* c = extension; *c != '\0'; ++c) {
    key[at++] = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  }
  key[at] = '\0';
  return true;
}

}  // namespace

bool ExtensionHasPerFileIcon(const char* extension) {
  for (const char* listed : kPerFileExtensions) {
    if (CompareNoCase(listed, extension) == 0) return true;
  }
  char key[MAX_PATH];
  std::snprintf(key, sizeof key, ".%s", extension);
  if (ClassDrawsPerFile(key)) return true;
  char progId[MAX_PATH];
  if (ReadClassValue(key, progId, sizeof progId) && progId[0] != '\0' &&
      ClassDrawsPerFile(progId)) {
    return true;
  }
  std::snprintf(key, sizeof key, "SystemFileAssociations\\.%s", extension);
  return ClassDrawsPerFile(key);
}

std::int32_t EntryIcons::LookUp(LPCITEMIDLIST absolute, UINT extraFlags) {
  SHFILEINFOA info{};
  const auto list = reinterpret_cast<DWORD_PTR>(absolute);
  const auto imageList = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
      reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
      SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags));
  if (imageList == nullptr) return -1;
  context_.systemImageList.store(imageList, std::memory_order_relaxed);
  return info.iIcon;
}

EntryIcons::IconClass* EntryIcons::FindClass(const char* key) {
  for (int i = 0; i < classCount_; ++i) {
    if (std::strcmp(classes_[i].key, key) == 0) return &classes_[i];
  }
  return nullptr;
}


bool EntryIcons::ClassKey(IShellFolder* folder, LPCITEMIDLIST child, char* key,
                          std::size_t size) {
  WIN32_FIND_DATAA data{};
  if (FAILED(SHGetDataFromIDListA(folder, child, SHGDFIL_FINDDATA, &data, sizeof data))) {
    return false;
  }
  data.cFileName[MAX_PATH - 1] = '\0';
  return ClassKeyOf(data.dwFileAttributes, data.cFileName, key, size);
}

// A shortcut without an icon of its own shows its target's, so shortcuts to targets of one
// class share it: the target's class key after kLinkClass. Shortcuts with an icon of their own,
// to targets outside the file system, gone, or named beyond ANSI have no class.
bool EntryIcons::LinkClassKey(IShellFolder* folder, LPCITEMIDLIST child, char* key,
                              std::size_t size) {
  wchar_t target[MAX_PATH], location[MAX_PATH];
  int index = 0;
  const auto link = LoadShortcut(folder, child, target);
  if (!link || target[0] == L'\0' || FAILED(link->GetIconLocation(location, MAX_PATH, &index)) ||
      location[0] != L'\0') {
    return false;
  }
  const DWORD attributes = GetFileAttributesW(target);
  const wchar_t* slash = std::wcsrchr(target, L'\\');
  char fileName[MAX_PATH];
  BOOL lossy = FALSE;
  if (attributes == INVALID_FILE_ATTRIBUTES || slash == nullptr ||
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, slash + 1, -1, fileName, sizeof fileName,
                          nullptr, &lossy) == 0 ||
      lossy) {
    return false;
  }
  key[0] = kLinkClass;
  return size > 1 && ClassKeyOf(attributes, fileName, key + 1, size - 1);
}

void EntryIcons::Assign(MenuEntry& entry, LPCITEMIDLIST absolute, std::uint32_t attributes,
                        IShellFolder* folder, LPCITEMIDLIST child) {
  const bool isFolder = (attributes & kAttrFolder) != 0;
  char key[sizeof IconClass::key];
  IconClass* shared = nullptr;
  const bool fileSystem = folder != nullptr && child != nullptr && (attributes & kAttrFileSystem);
  const bool classed = fileSystem && ((attributes & kAttrLink)
                                          ? LinkClassKey(folder, child, key, sizeof key)
                                          : ClassKey(folder, child, key, sizeof key));
  if (classed) {
    shared = FindClass(key);
    if (shared != nullptr && !shared->perFile) {
      entry.iconIndex = shared->icon;
      entry.openIconIndex = shared->openIcon;
      return;
    }
  }
  entry.iconIndex = LookUp(absolute, 0);
  entry.openIconIndex = isFolder ? LookUp(absolute, SHGFI_OPENICON) : entry.iconIndex;
  if (!classed || shared != nullptr || classCount_ == static_cast<int>(std::size(classes_))) {
    return;
  }
  IconClass& added = classes_[classCount_++];
  std::snprintf(added.key, sizeof added.key, "%s", key);
  const char* targetKey = key[0] == kLinkClass ? key + 1 : key;
  added.perFile = targetKey[0] == '.' && ExtensionHasPerFileIcon(targetKey + 1);
  added.icon = entry.iconIndex;
  added.openIcon = entry.openIconIndex;
}

}  // namespace quillo
