#include "zip_checksums.h"

#include <zlib.h>

#include "core/crc32.h"
#include "core/zip_archive.h"
#include "core/zip_layout.h"

namespace fuzz {
namespace {

using namespace lwf::zip;

void Put32(std::uint8_t* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::size_t FindEndRecord(const std::uint8_t* archive, std::size_t size) {
  if (size < kEndRecordSize) return size;
  const std::size_t lowest = size - kEndRecordSize > 0xFFFF ? size - kEndRecordSize - 0xFFFF : 0;
  for (std::size_t at = size - kEndRecordSize + 1; at-- > lowest;) {
    if (Get32(archive + at) == kEndSignature) return at;
  }
  return size;
}

// The CRC-32 and size of a deflate stream's content, inflated in pieces up to the reader's bound
// plus one byte; false when the stream does not end inside that.
bool InflatedFacts(const std::uint8_t* in, std::size_t inSize, std::uint32_t& crc, std::uint32_t& size) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(in);
  stream.avail_in = static_cast<uInt>(inSize);
  std::uint8_t piece[64 * 1024];
  uLong checksum = crc32(0, nullptr, 0);
  int result = Z_OK;
  while (result == Z_OK && stream.total_out <= lwf::kMaxZipEntrySize) {
    stream.next_out = piece;
    stream.avail_out = sizeof piece;
    result = inflate(&stream, Z_NO_FLUSH);
    checksum = crc32(checksum, piece, static_cast<uInt>(sizeof piece - stream.avail_out));
  }
  crc = static_cast<std::uint32_t>(checksum);
  size = static_cast<std::uint32_t>(stream.total_out);
  inflateEnd(&stream);
  return result == Z_STREAM_END;
}

void FixEntry(std::uint8_t* archive, std::size_t size, std::uint8_t* record) {
  const std::size_t local = Get32(record + 42);
  if (local > size || size - local < kLocalHeaderSize) return;
  std::uint8_t* header = archive + local;
  if (Get32(header) != kLocalSignature) return;
  const std::size_t dataOffset = local + kLocalHeaderSize + Get16(header + 26) + Get16(header + 28);
  const std::size_t compressedSize = Get32(record + 20);
  if (dataOffset > size || size - dataOffset < compressedSize) return;
  const std::uint8_t* data = archive + dataOffset;
  std::uint32_t crc;
  std::uint32_t contentSize;
  if (Get16(record + 10) == 8) {
    if (!InflatedFacts(data, compressedSize, crc, contentSize)) return;
  } else {
    crc = lwf::Crc32(data, compressedSize);
    contentSize = static_cast<std::uint32_t>(compressedSize);
  }
  Put32(record + 16, crc);
  Put32(record + 24, contentSize);
  Put32(header + 14, crc);
  Put32(header + 22, contentSize);
}

}  // namespace

void FixZipChecksums(std::uint8_t* archive, std::size_t size) {
  const std::size_t end = FindEndRecord(archive, size);
  if (end == size) return;
  const std::size_t count = Get16(archive + end + 10);
  std::size_t at = Get32(archive + end + 16);
  for (std::size_t i = 0; i < count && at <= end && end - at >= kCentralHeaderSize; ++i) {
    std::uint8_t* record = archive + at;
    if (Get32(record) != kCentralSignature) return;
    FixEntry(archive, size, record);
    at += kCentralHeaderSize + Get16(record + 28) + Get16(record + 30) + Get16(record + 32);
  }
}

}  // namespace fuzz

// Every mutation but one in eight gets its checksums fixed; the rest keep the reader's
// refusal of a wrong checksum covered.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
  size = LLVMFuzzerMutate(data, size, maxSize);
  if (seed % 8 != 0) fuzz::FixZipChecksums(data, size);
  return size;
}
