// Helpers shared by the fuzz targets: inputs as the product holds them (exact heap copies, so
// that AddressSanitizer sees every read past the end, and NUL-terminated fixed buffers), and a
// check that aborts on a broken promise of the code under test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace fuzz {

// A finding the sanitizers cannot see: the code broke its own promise.
#define FUZZ_CHECK(condition)                                                         \
  do {                                                                                \
    if (!(condition)) {                                                               \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (false)

// The bytes in a heap block of exactly their size (libFuzzer's own buffer may be followed by
// readable bytes of the same allocation).
inline std::unique_ptr<std::uint8_t[]> ExactCopy(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(copy.get(), data, size);
  return copy;
}

// The bytes as a NUL-terminated text in a buffer of bufferSize bytes, cut as the product cuts
// a text into its fixed buffer (a NUL inside the input ends the text).
inline std::unique_ptr<char[]> TextBuffer(const std::uint8_t* data, std::size_t size, std::size_t bufferSize) {
  std::unique_ptr<char[]> text(new char[bufferSize]());
  const std::size_t length = size < bufferSize - 1 ? size : bufferSize - 1;
  if (length > 0) std::memcpy(text.get(), data, length);
  return text;
}

// The bytes as a std::string of exactly their size.
inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Bytes copied over a record as a file read does: the first min(size, record) bytes.
template <typename Record>
void ReadRecord(Record& record, const std::uint8_t* data, std::size_t size) {
  std::memcpy(&record, data, size < sizeof record ? size : sizeof record);
}

}  // namespace fuzz
