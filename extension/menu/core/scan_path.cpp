#include "scan_path.h"

#include <cwchar>

namespace quillo {

bool EndsWithSeparator(const wchar_t* path) {
  const std::size_t length = std::wcslen(path);
  return length > 0 && path[length - 1] == L'\\';
}

bool JoinScanPath(wchar_t* out, std::size_t size, const wchar_t* base, const wchar_t* name) {
  if (size == 0) return false;
  const std::size_t baseLength = std::wcslen(base), nameLength = std::wcslen(name);
  if (baseLength + nameLength >= size) {
    out[0] = L'\0';
    return false;
  }
  std::wmemmove(out, base, baseLength);
  std::wmemcpy(out + baseLength, name, nameLength + 1);
  return true;
}

bool DirectoryBase(wchar_t* out, std::size_t size, const wchar_t* path) {
  return JoinScanPath(out, size, path, EndsWithSeparator(path) ? L"" : L"\\");
}

bool IsAbsolutePath(const wchar_t* path) {
  const bool letter = (path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z');
  const bool drive = letter && path[1] == L':' && path[2] == L'\\';
  return drive || (path[0] == L'\\' && path[1] == L'\\');
}

bool IsDotEntry(const wchar_t* name) {
  return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

}  // namespace quillo
