// ZIP archives (the PKWARE format, no encryption, no ZIP64) built and read in memory. The reader
// checks every byte it uses against the archive: signatures, counts, offsets and sizes stay
// inside the bytes given, inflating stops at the declared size, and every entry's CRC-32 must
// match. Entry names are taken as they are; SafeEntryName decides whether one may become a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lwf {

using Bytes = std::vector<std::uint8_t>;

// Bounds that keep a hostile archive from exhausting memory.
constexpr std::size_t kMaxZipEntrySize = 16u << 20;
constexpr std::size_t kMaxZipEntries = 4096;
constexpr std::size_t kMaxZipTotalSize = 64u << 20;  // all entries inflated together

// Time stamp of every entry, in MS-DOS form.
struct DosTimeStamp {
  std::uint16_t time;
  std::uint16_t date;
};

class ZipWriter {
 public:
  explicit ZipWriter(DosTimeStamp stamp) : stamp_(stamp) {}

  // Adds an entry, deflated (method 8) unless the name ends in an already compressed file type.
  // False when the name is empty or longer than 65535 bytes, the data too large, or deflate fails.
  bool Add(std::string_view name, const std::uint8_t* data, std::size_t size);

  // The archive: the entries, the central directory and its end record.
  Bytes Finish() const;

 private:
  DosTimeStamp stamp_;
  Bytes body_;       // local headers and data
  Bytes directory_;  // central directory records
  std::size_t count_ = 0;
};

// Names ending in ".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz" or ".tgz" (case ignored)
// are stored as they are.
bool IsStoredUncompressed(std::string_view name);

// A name that names a file inside the target folder: not empty, at most 259 bytes, no drive or
// stream colon, no control character, not starting with a separator, and no component that is
// empty, "." or "..", or ends in a dot or blank (Windows drops those, which could turn a
// component into ".."). Both '/' and '\' count as separators.
bool SafeEntryName(std::string_view name);

struct ZipEntry {
  std::string name;
  std::uint16_t method;
  std::uint32_t crc;
  std::uint32_t compressedSize;
  std::uint32_t size;
  std::size_t localOffset;  // its local header in the archive
  std::size_t dataOffset;   // first byte of the entry's data in the archive
};

// The entries listed by the central directory, each with its local header checked; nothing when
// any record is damaged, encrypted, of an unknown method, larger than the bounds, or when two
// entries share bytes of the archive (several records pointing at one small stream would
// otherwise inflate it again and again) or all entries together inflate beyond kMaxZipTotalSize.
std::optional<std::vector<ZipEntry>> ReadZipDirectory(const std::uint8_t* archive, std::size_t size);

// The entry's bytes, inflated to exactly its declared size and checked against its CRC-32.
std::optional<Bytes> ExtractZipEntry(const std::uint8_t* archive, std::size_t size, const ZipEntry& entry);

}  // namespace lwf
