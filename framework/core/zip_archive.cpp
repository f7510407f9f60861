#include "core/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <array>

#include "core/crc32.h"
#include "core/text_compare.h"
#include "core/zip_layout.h"

namespace lwf {
namespace {

using namespace zip;

constexpr std::uint16_t kVersion = 20;  // 2.0: deflate
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kEncryptedFlag = 0x0001;
constexpr std::size_t kMaxNameSize = 259;

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::optional<Bytes> Deflate(const std::uint8_t* data, std::size_t size) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return std::nullopt;
  }
  Bytes out(deflateBound(&stream, static_cast<uLong>(size)));
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = static_cast<uInt>(size);
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) return std::nullopt;
  return out;
}

// Inflates exactly `size` bytes from `in`; one spare output byte tells a longer stream apart.
std::optional<Bytes> Inflate(const std::uint8_t* in, std::size_t inSize, std::size_t size) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
  Bytes out(size + 1);
  stream.next_in = const_cast<Bytef*>(in);
  stream.avail_in = static_cast<uInt>(inSize);
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&stream, Z_FINISH);
  const std::size_t produced = stream.total_out;
  inflateEnd(&stream);
  if (result != Z_STREAM_END || produced != size) return std::nullopt;
  out.resize(size);
  return out;
}

bool SafeComponent(std::string_view component) {
  return !component.empty() && component != "." && component != ".." && component.back() != '.' &&
         component.back() != ' ';
}

// Offset of the end record: its signature, with a comment that reaches exactly to the end.
std::optional<std::size_t> FindEndRecord(const std::uint8_t* archive, std::size_t size) {
  if (size < kEndRecordSize) return std::nullopt;
  const std::size_t lowest = size - kEndRecordSize > 0xFFFF ? size - kEndRecordSize - 0xFFFF : 0;
  for (std::size_t at = size - kEndRecordSize + 1; at-- > lowest;) {
    if (Get32(archive + at) == kEndSignature && at + kEndRecordSize + Get16(archive + at + 20) == size) {
      return at;
    }
  }
  return std::nullopt;
}

// One central record at `at` (inside [0, directoryEnd)), checked against its local header, which
// must lie wholly before the directory.
std::optional<ZipEntry> ReadCentralRecord(const std::uint8_t* archive, std::size_t& at, std::size_t directoryStart,
                                          std::size_t directoryEnd) {
  if (directoryEnd - at < kCentralHeaderSize) return std::nullopt;
  const std::uint8_t* record = archive + at;
  if (Get32(record) != kCentralSignature) return std::nullopt;
  const std::size_t nameSize = Get16(record + 28);
  const std::size_t recordSize = kCentralHeaderSize + nameSize + Get16(record + 30) + Get16(record + 32);
  if (directoryEnd - at < recordSize) return std::nullopt;
  ZipEntry entry{std::string(reinterpret_cast<const char*>(record + kCentralHeaderSize), nameSize),
                 Get16(record + 10), Get32(record + 16), Get32(record + 20), Get32(record + 24), 0, 0};
  if ((Get16(record + 8) & kEncryptedFlag) != 0 || (entry.method != kStored && entry.method != kDeflated) ||
      entry.size > kMaxZipEntrySize || (entry.method == kStored && entry.compressedSize != entry.size)) {
    return std::nullopt;
  }
  const std::size_t local = Get32(record + 42);
  if (local > directoryStart || directoryStart - local < kLocalHeaderSize) return std::nullopt;
  const std::uint8_t* header = archive + local;
  const std::size_t dataOffset = local + kLocalHeaderSize + Get16(header + 26) + Get16(header + 28);
  if (Get32(header) != kLocalSignature || Get16(header + 26) != nameSize || dataOffset > directoryStart ||
      directoryStart - dataOffset < entry.compressedSize ||
      !std::equal(entry.name.begin(), entry.name.end(), header + kLocalHeaderSize)) {
    return std::nullopt;
  }
  entry.localOffset = local;
  entry.dataOffset = dataOffset;
  at += recordSize;
  return entry;
}

// True when no two entries share a byte of the archive, from local header to end of data.
bool EntriesApart(std::vector<ZipEntry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const ZipEntry& a, const ZipEntry& b) { return a.localOffset < b.localOffset; });
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const ZipEntry& before = entries[i - 1];
    if (before.dataOffset + before.compressedSize > entries[i].localOffset) return false;
  }
  return true;
}

}  // namespace

bool IsStoredUncompressed(std::string_view name) {
  static constexpr std::array<std::string_view, 8> kCompressed = {".Z",   ".zip", ".zoo", ".arc",
                                                                  ".lzh", ".arj", ".gz",  ".tgz"};
  return std::any_of(kCompressed.begin(), kCompressed.end(),
                     [name](std::string_view suffix) { return EndsWithIgnoringCase(name, suffix); });
}

bool SafeEntryName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameSize || name.front() == '/' || name.front() == '\\') return false;
  if (std::any_of(name.begin(), name.end(), [](char c) { return c == ':' || static_cast<unsigned char>(c) < 0x20; })) {
    return false;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '/' && name[i] != '\\') continue;
    if (!SafeComponent(name.substr(start, i - start))) return false;
    start = i + 1;
  }
  return true;
}

bool ZipWriter::Add(std::string_view name, const std::uint8_t* data, std::size_t size) {
  if (name.empty() || name.size() > 0xFFFF || size > 0xFFFFFFFEu || count_ >= 0xFFFF) return false;
  const bool stored = IsStoredUncompressed(name);
  std::optional<Bytes> deflated;
  if (!stored && !(deflated = Deflate(data, size))) return false;
  const std::uint8_t* payload = stored ? data : deflated->data();
  const std::size_t payloadSize = stored ? size : deflated->size();
  if (body_.size() + payloadSize + kLocalHeaderSize + name.size() > 0xFFFFFFFEu) return false;

  const std::uint32_t crc = Crc32(data, size);
  const auto offset = static_cast<std::uint32_t>(body_.size());
  // The fields from "version needed" to the extra length are the same in both headers.
  Bytes common;
  Put16(common, kVersion);
  Put16(common, 0);
  Put16(common, stored ? kStored : kDeflated);
  Put16(common, stamp_.time);
  Put16(common, stamp_.date);
  Put32(common, crc);
  Put32(common, static_cast<std::uint32_t>(payloadSize));
  Put32(common, static_cast<std::uint32_t>(size));
  Put16(common, static_cast<std::uint32_t>(name.size()));
  Put16(common, 0);

  Put32(body_, kLocalSignature);
  body_.insert(body_.end(), common.begin(), common.end());
  body_.insert(body_.end(), name.begin(), name.end());
  body_.insert(body_.end(), payload, payload + payloadSize);

  Put32(directory_, kCentralSignature);
  Put16(directory_, kVersion);  // made by MS-DOS, version 2.0
  directory_.insert(directory_.end(), common.begin(), common.end());
  Put16(directory_, 0);  // comment
  Put16(directory_, 0);  // disk
  Put16(directory_, 0);  // internal attributes
  Put32(directory_, 0x20);  // external attributes: archive
  Put32(directory_, offset);
  directory_.insert(directory_.end(), name.begin(), name.end());
  ++count_;
  return true;
}

Bytes ZipWriter::Finish() const {
  Bytes out = body_;
  out.insert(out.end(), directory_.begin(), directory_.end());
  Put32(out, kEndSignature);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<std::uint32_t>(count_));
  Put16(out, static_cast<std::uint32_t>(count_));
  Put32(out, static_cast<std::uint32_t>(directory_.size()));
  Put32(out, static_cast<std::uint32_t>(body_.size()));
  Put16(out, 0);
  return out;
}

std::optional<std::vector<ZipEntry>> ReadZipDirectory(const std::uint8_t* archive, std::size_t size) {
  const std::optional<std::size_t> end = FindEndRecord(archive, size);
  if (!end) return std::nullopt;
  const std::uint8_t* record = archive + *end;
  const std::size_t count = Get16(record + 10);
  const std::size_t directorySize = Get32(record + 12);
  const std::size_t directoryStart = Get32(record + 16);
  if (Get16(record + 4) != 0 || Get16(record + 6) != 0 || Get16(record + 8) != count || count > kMaxZipEntries ||
      directoryStart > *end || *end - directoryStart != directorySize) {
    return std::nullopt;
  }
  std::vector<ZipEntry> entries;
  std::size_t at = directoryStart;
  std::size_t total = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::optional<ZipEntry> entry = ReadCentralRecord(archive, at, directoryStart, *end);
    if (!entry || (total += entry->size) > kMaxZipTotalSize) return std::nullopt;
    entries.push_back(std::move(*entry));
  }
  if (at != *end || !EntriesApart(entries)) return std::nullopt;
  return entries;
}

std::optional<Bytes> ExtractZipEntry(const std::uint8_t* archive, std::size_t size, const ZipEntry& entry) {
  if (entry.dataOffset > size || size - entry.dataOffset < entry.compressedSize || entry.size > kMaxZipEntrySize) {
    return std::nullopt;
  }
  const std::uint8_t* data = archive + entry.dataOffset;
  std::optional<Bytes> bytes;
  if (entry.method == kStored) {
    if (entry.compressedSize == entry.size) bytes = Bytes(data, data + entry.size);
  } else if (entry.method == kDeflated) {
    bytes = Inflate(data, entry.compressedSize, entry.size);
  }
  if (!bytes || Crc32(bytes->data(), bytes->size()) != entry.crc) return std::nullopt;
  return bytes;
}

}  // namespace lwf
