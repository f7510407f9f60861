#include "name_comparator.h"

#include "shell_attributes.h"
#include "text_compare.h"

namespace quillo {
namespace {

// 0 sorts first: the rank of one attribute bit, where having the bit is better when
// `firstWhenSet`.
int Rank(std::uint32_t attributes, std::uint32_t bit, bool firstWhenSet) {
  return ((attributes & bit) != 0) == firstWhenSet ? 0 : 1;
}

}  // namespace

int CompareByName(const NameKey& a, const NameKey& b, bool desktopListing, FoldUnit fold) {
  int difference = Rank(a.attributes, kAttrFolder, true) - Rank(b.attributes, kAttrFolder, true);
  if (difference != 0) return difference;
  if (desktopListing) {
    difference = Rank(a.attributes, kAttrFileSystem, false) -
                 Rank(b.attributes, kAttrFileSystem, false);
    if (difference != 0) return difference;
  }
  if (a.realName != nullptr && b.realName != nullptr) {
    return CompareNoCase(a.realName, b.realName, fold);
  }
  return CompareNoCase(a.name, b.name);
}

}  // namespace quillo
