#include "list_view_order.h"

#include <algorithm>

namespace quillo {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool BeginsWith(std::string_view name, std::string_view text) {
  if (text.size() > name.size()) return false;
  return std::equal(text.begin(), text.end(), name.begin(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

}  // namespace

std::optional<std::vector<std::size_t>> OrderByListView(std::span<const std::string_view> childNames,
                                                        std::span<const std::string_view> listTexts) {
  std::vector<bool> used(listTexts.size(), false);
  std::vector<std::size_t> childAt(listTexts.size(), 0);
  for (std::size_t child = 0; child < childNames.size(); ++child) {
    std::size_t position = 0;
    while (position < listTexts.size() && (used[position] || !BeginsWith(childNames[child], listTexts[position]))) {
      ++position;
    }
    if (position == listTexts.size()) return std::nullopt;
    used[position] = true;
    childAt[position] = child;
  }
  std::vector<std::size_t> order;
  order.reserve(childNames.size());
  for (std::size_t position = 0; position < listTexts.size(); ++position) {
    if (used[position]) order.push_back(childAt[position]);
  }
  return order;
}

}  // namespace quillo
