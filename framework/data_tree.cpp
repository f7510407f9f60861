#include "data_tree.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "win_handle.h"

namespace lwf {
namespace {

constexpr int kMaxDepth = 32;

bool Matches(const char* name, const std::vector<std::string>& patterns) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [name](const std::string& pattern) { return PathMatchSpecA(name, pattern.c_str()) != FALSE; });
}

void Walk(const std::string& folder, const std::string& relative, const std::vector<std::string>& patterns,
          int depth, std::vector<std::string>& out) {
  if (depth > kMaxDepth) return;
  const std::string search = folder + (relative.empty() ? "" : "\\" + relative) + "\\*.*";
  if (search.size() >= MAX_PATH) return;
  WIN32_FIND_DATAA found;
  quillo::FindHandle handle(FindFirstFileA(search.c_str(), &found));
  if (!handle) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = relative.empty() ? name : relative + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Walk(folder, path, patterns, depth + 1, out);
    } else if (Matches(name.c_str(), patterns)) {
      out.push_back(path);
    }
  } while (FindNextFileA(handle.get(), &found));
}

}  // namespace

std::vector<std::string> ListDataTree(const char* folder, const std::vector<std::string>& patterns) {
  std::vector<std::string> files;
  if (!patterns.empty()) Walk(folder, "", patterns, 0, files);
  return files;
}

}  // namespace lwf
