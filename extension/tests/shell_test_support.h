// Shell objects for the Windows tests: ID lists of paths and the shell's own data objects.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace quillo::test {

// An absolute ID list for a path or parsing name (CoTaskMemFree), null when it does not parse.
// The path may be ANSI or UTF-16 (a name no code page holds).
inline LPITEMIDLIST Parse(const std::wstring& path) {
  Microsoft::WRL::ComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(&desktop);
  std::wstring wide = path;
  LPITEMIDLIST list = nullptr;
  desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &list, nullptr);
  return list;
}

inline LPITEMIDLIST Parse(const std::string& path) {
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  return Parse(std::wstring(wide));
}

// The shell's data object for items of one folder, as Explorer hands a selection over.
template <typename Path>
inline Microsoft::WRL::ComPtr<IDataObject> SelectionOf(const std::vector<Path>& paths) {
  std::vector<LPITEMIDLIST> lists;
  for (const auto& path : paths) lists.push_back(Parse(path));
  Microsoft::WRL::ComPtr<IShellFolder> parent;
  Microsoft::WRL::ComPtr<IDataObject> data;
  std::vector<LPCITEMIDLIST> children;
  for (LPITEMIDLIST list : lists) children.push_back(ILFindLastID(list));
  if (SUCCEEDED(SHBindToParent(lists[0], IID_PPV_ARGS(&parent), nullptr))) {
    parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), children.data(),
                          IID_IDataObject, nullptr, reinterpret_cast<void**>(data.GetAddressOf()));
  }
  for (LPITEMIDLIST list : lists) CoTaskMemFree(list);
  return data;
}

inline Microsoft::WRL::ComPtr<IDataObject> Selection(const std::vector<std::string>& paths) {
  return SelectionOf(paths);
}

inline Microsoft::WRL::ComPtr<IDataObject> Selection(const std::vector<std::wstring>& paths) {
  return SelectionOf(paths);
}

}  // namespace quillo::test
