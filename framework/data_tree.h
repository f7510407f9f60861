// The files of a data folder tree that match a list of name patterns.
#pragma once

#include <string>
#include <vector>

namespace lwf {

// Paths relative to folder ('\' as separator) of every file in it and in all its sub-folders
// whose name matches one of the patterns (wildcards as in "*.lcf"); each file once.
std::vector<std::string> ListDataTree(const char* folder, const std::vector<std::string>& patterns);

}  // namespace lwf
