// The payload appended to Setup.exe: the header text, entries of name + NUL + 32-bit
// little-endian size + bytes, and the trailer text. The uninstaller's payload has no trailer and
// ends with the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillo::setup {

constexpr std::size_t kPayloadHeaderSize = 19;   // "<Setup Data Header>"
constexpr std::size_t kPayloadTrailerSize = 16;  // "<Setup Data End>"

// The header and trailer texts, assembled at run time so that the program's constant data never
// holds the header whole: a Setup.exe without payload must not find one in itself.
std::string PayloadHeaderText();
std::string PayloadTrailerText();

struct PayloadEntry {
  std::size_t dataOffset;  // offset of the entry's bytes in the file
  std::uint32_t size;
  std::size_t end() const { return dataOffset + size; }
};

// Offset just past the last occurrence of the header text, searched backwards from the end.
std::optional<std::size_t> FindPayloadStart(const std::uint8_t* file, std::size_t fileSize);

// Walks the entries from payloadStart and returns the one whose name matches (ASCII, case
// ignored). Stops at the trailer or the end of the file. Anything that would run past the end
// of the file (a name without terminator, a size beyond the end) means "not found".
std::optional<PayloadEntry> FindPayloadEntry(const std::uint8_t* file, std::size_t fileSize,
                                             std::size_t payloadStart, const char* name);

struct PayloadFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// Appends header, one entry per file in the given order, and trailer to image.
// Returns false (image unchanged) for a name that is empty, has a directory part or a NUL, or
// for data larger than 4 GiB - 1.
bool AppendPayload(std::vector<std::uint8_t>& image, const std::vector<PayloadFile>& files);

}  // namespace quillo::setup
