// The shell attribute bits the item model reads (values of the SFGAO_* constants), and the
// listing-only marker bit that selects the name sort.
#pragma once

#include <cstdint>

namespace quillo {

constexpr std::uint32_t kAttrFileSystem = 0x40000000;        // SFGAO_FILESYSTEM
constexpr std::uint32_t kAttrFolder = 0x20000000;            // SFGAO_FOLDER
constexpr std::uint32_t kAttrFileSysAncestor = 0x10000000;   // SFGAO_FILESYSANCESTOR
constexpr std::uint32_t kAttrLink = 0x00010000;              // SFGAO_LINK
constexpr std::uint32_t kAttrIsSlow = 0x00004000;            // SFGAO_ISSLOW
constexpr std::uint32_t kAttrQueryMask = 0x70038100;         // the bits every query asks for

// Added to a listing's attributes when it is sorted by name rather than by the shell.
constexpr std::uint32_t kListingNameSort = 0x40000000;

// Listing kinds carried in the attributes of the requesting entry.
constexpr std::uint32_t kKindRecent = 1;
constexpr std::uint32_t kKindFavorites = 2;

}  // namespace quillo
