#include "tool_tip_text.h"

#include <cstdio>
#include <cstring>

#include "size_format.h"

namespace quillo {
namespace {

constexpr const char* kLinePrefixes[kToolTipLineCount] = {
    "Name: \t", "Path: \t", "Type: \t", "Size: \t", "      \t", "Total:\t", "      \t"};
constexpr int kDirectSizeLine = 3;
constexpr int kDirectCountLine = 4;
constexpr int kTotalSizeLine = 5;
constexpr int kTotalCountLine = 6;
constexpr std::size_t kGroupedSize = 32;

const char* Plural(long long count) { return count == 1 ? "" : "s"; }

// A line: its prefix, then the content cut to what remains of the line.
void SetLine(ToolTipLines& lines, int index, const char* content) {
  std::snprintf(lines[index], kToolTipLineSize, "%s%s", kLinePrefixes[index], content);
}

void SetSizeLine(ToolTipLines& lines, int index, std::uint64_t size) {
  char text[kToolTipLineSize];
  FormatSizeDetail(size, text, sizeof text);
  SetLine(lines, index, text);
}

// "N File(s), N Folder(s)" and, when there are any, ", N Hidden protected OS item(s)".
void SetCountLine(ToolTipLines& lines, int index, long long files, long long folders,
                  long long hiddenProtected) {
  char filesText[kGroupedSize], foldersText[kGroupedSize], hidden[64] = "";
  if (hiddenProtected > 0) {
    std::snprintf(hidden, sizeof hidden, ", %lld Hidden protected OS item%s", hiddenProtected,
                  Plural(hiddenProtected));
  }
  char text[kToolTipLineSize];
  std::snprintf(text, sizeof text, "%s File%s, %s Folder%s%s",
                GroupDigits(static_cast<std::uint64_t>(files), filesText, sizeof filesText),
                Plural(files),
                GroupDigits(static_cast<std::uint64_t>(folders), foldersText, sizeof foldersText),
                Plural(folders), hidden);
  SetLine(lines, index, text);
}

void ClearCountLines(ToolTipLines& lines) {
  for (int i = kDirectSizeLine; i <= kTotalCountLine; ++i) SetLine(lines, i, "");
}

}  // namespace

const char* ToolTipKindWord(std::uint32_t attributes) {
  const bool folder = (attributes & kToolTipFolder) != 0;
  const bool fileSystem = (attributes & kToolTipFileSystem) != 0;
  if (attributes & kToolTipLink) return "Shortcut";
  if (folder) return fileSystem ? "Folder" : "Container";
  return fileSystem ? "File" : "Object";
}

void SetItemLines(ToolTipLines& lines, const char* name, const char* folderPath,
                  std::uint32_t attributes) {
  SetLine(lines, 0, name);
  SetLine(lines, 1, folderPath);
  SetLine(lines, 2, ToolTipKindWord(attributes));
  ClearCountLines(lines);
}

void SetFileSizeLine(ToolTipLines& lines, std::uint64_t size) {
  SetSizeLine(lines, kDirectSizeLine, size);
}

void SetFolderCountLines(ToolTipLines& lines, const FolderCounts& c) {
  // Counts are non-negative; the sums are taken wide so that no total overflows.
  SetSizeLine(lines, kDirectSizeLine, c.sizes[0]);
  SetCountLine(lines, kDirectCountLine, c.files[0], c.folders[0], c.hiddenProtected[0]);
  SetSizeLine(lines, kTotalSizeLine, c.sizes[0] + c.sizes[1]);
  SetCountLine(lines, kTotalCountLine, static_cast<long long>(c.files[0]) + c.files[1],
               static_cast<long long>(c.folders[0]) + c.folders[1],
               static_cast<long long>(c.hiddenProtected[0]) + c.hiddenProtected[1]);
}

void SetObjectCountLines(ToolTipLines& lines, int objects) {
  ClearCountLines(lines);
  char count[kGroupedSize], text[kToolTipLineSize];
  std::snprintf(text, sizeof text, "%s Object%s",
                GroupDigits(static_cast<std::uint64_t>(objects), count, sizeof count),
                Plural(objects));
  SetLine(lines, kDirectSizeLine, text);
}

bool ToolTipLineShown(const ToolTipLines& lines, int index) {
  if (index == 0) return true;
  if (index < 0 || index >= kToolTipLineCount) return false;
  return std::strlen(lines[index]) > kToolTipPrefixLength;
}

}  // namespace quillo
