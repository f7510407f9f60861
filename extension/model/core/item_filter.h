// Which children, recent items and favourites a menu shows, decided from the options in effect.
#pragma once

#include <cstdint>

#include "options_record.h"

namespace quillo {

struct FilterItem {
  const char* name;             // the name as Explorer shows it in its folder
  const char* extensionSource;  // the name, or for a resolved shortcut its target's name
  std::uint32_t attributes;     // shell attributes (link-resolved)
  bool parentIsDesktop;         // the listed folder is the desktop
};

// True when the item is shown in a menu opened in the given invocation mode (0 context menu,
// above 0 drag and drop).
bool ShouldShowItem(const OptionsRecord& options, std::int32_t invocationMode,
                    const FilterItem& item);

// The drag check applied to recent items and favourites: in drag mode with "folders only" just
// folders pass.
bool PassesDragCheck(const OptionsRecord& options, std::int32_t invocationMode,
                     std::uint32_t attributes);

}  // namespace quillo
