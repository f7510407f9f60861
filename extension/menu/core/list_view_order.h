// The order of a folder's children as an open Explorer window lists them.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quillo {

// Matches each child name, in enumeration order, with the first list text not yet used that
// equals the beginning of the name without regard to ASCII case (the list may hide file
// extensions). Returns the child indexes in list order, or nothing when a child finds no list
// text (the caller then sorts by name).
std::optional<std::vector<std::size_t>> OrderByListView(std::span<const std::string_view> childNames,
                                                        std::span<const std::string_view> listTexts);

}  // namespace quillo
