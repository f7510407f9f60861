// The texts of a tool tip: seven lines of 260 bytes (name, path, type, size, direct counts,
// total size, total counts), the kind word, and the count lines built from a folder's counters.
// Lines 3 to 6 start with a fixed seven-character prefix; a line with nothing after its first
// seven characters is not shown (line 0 always is).
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

constexpr int kToolTipLineCount = 7;
constexpr std::size_t kToolTipLineSize = 260;
constexpr std::size_t kToolTipPrefixLength = 7;
using ToolTipLines = char[kToolTipLineCount][kToolTipLineSize];

// Shell attribute bits the kind word depends on.
constexpr std::uint32_t kToolTipFileSystem = 0x40000000;  // SFGAO_FILESYSTEM
constexpr std::uint32_t kToolTipFolder = 0x20000000;      // SFGAO_FOLDER
constexpr std::uint32_t kToolTipLink = 0x00010000;        // SFGAO_LINK

// "Shortcut", "Folder", "Container", "File" or "Object".
const char* ToolTipKindWord(std::uint32_t attributes);

// Lines 0 to 2 from the item's name, the path of the folder holding it and its attributes;
// lines 3 to 6 are cleared to their prefixes.
void SetItemLines(ToolTipLines& lines, const char* name, const char* folderPath,
                  std::uint32_t attributes);

// Line 3 for a file: its size in the detailed form.
void SetFileSizeLine(ToolTipLines& lines, std::uint64_t size);

// What a folder count found: index 0 directly inside the folder, 1 everything below.
struct FolderCounts {
  int files[2] = {};
  int folders[2] = {};
  int hiddenProtected[2] = {};  // hidden and system: counted apart, not as files or folders
  std::uint64_t sizes[2] = {};
};

// Lines 3 to 6 of a file-system folder: direct size, direct counts, total size, total counts.
void SetFolderCountLines(ToolTipLines& lines, const FolderCounts& counts);

// Line 3 of a folder that is not in the file system: "N Object(s)"; lines 4 to 6 empty.
void SetObjectCountLines(ToolTipLines& lines, int objects);

// Line 0, and every other line with text after its prefix.
bool ToolTipLineShown(const ToolTipLines& lines, int index);

}  // namespace quillo
