#include "item_filter.h"

#include <cstring>

#include "shell_attributes.h"
#include "text_compare.h"

namespace quillo {
namespace {

// The text after the last ".", or null when there is none.
const char* ExtensionOf(const char* text) {
  const char* dot = std::strrchr(text, '.');
  return dot == nullptr ? nullptr : dot + 1;
}

}  // namespace

bool ShouldShowItem(const OptionsRecord& options, std::int32_t invocationMode,
                    const FilterItem& item) {
  if (ListContainsNoCase(options.excludeObjects, sizeof options.excludeObjects, item.name)) {
    return false;
  }
  if (invocationMode == 0 && (item.parentIsDesktop || (item.attributes & kAttrFileSystem) == 0)) {
    return true;
  }
  if (item.attributes & kAttrFolder) return true;
  if (invocationMode > 0 && options.dragFoldersOnly != 0) return false;
  if (ListIsEmpty(options.includeExtensions)) return false;
  const char* extension = ExtensionOf(item.extensionSource);
  if (extension == nullptr) return options.includeAllExtensions != 0;
  if (ListContainsNoCase(options.excludeExtensions, sizeof options.excludeExtensions, extension)) {
    return false;
  }
  return options.includeAllExtensions != 0 ||
         ListContainsNoCase(options.includeExtensions, sizeof options.includeExtensions,
                            extension);
}

bool PassesDragCheck(const OptionsRecord& options, std::int32_t invocationMode,
                     std::uint32_t attributes) {
  return invocationMode < 1 || options.dragFoldersOnly == 0 || (attributes & kAttrFolder) != 0;
}

}  // namespace quillo
