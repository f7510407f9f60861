#include "setup_payload.h"

#include <cstring>

#include "ascii_text.h"
#include "little_endian.h"

namespace quillo::setup {
namespace {

bool SameNameIgnoringCase(const char* a, std::size_t aLength, const char* b) {
  return std::strlen(b) == aLength && EqualIgnoringCase(a, b, aLength);
}

bool StartsWith(const std::uint8_t* at, std::size_t available, const std::string& text) {
  return available >= text.size() && std::memcmp(at, text.data(), text.size()) == 0;
}

bool ValidEntryName(const std::string& name) {
  return !name.empty() && name.find_first_of(std::string("\\/:\0", 4)) == std::string::npos;
}

}  // namespace

std::string PayloadHeaderText() { return std::string("<Setup Data") + " Header>"; }

std::string PayloadTrailerText() { return std::string("<Setup Data") + " End>"; }

std::optional<std::size_t> FindPayloadStart(const std::uint8_t* file, std::size_t fileSize) {
  const std::string header = PayloadHeaderText();
  if (file == nullptr || fileSize < header.size()) return std::nullopt;
  for (std::size_t at = fileSize - header.size() + 1; at-- > 0;) {
    if (std::memcmp(file + at, header.data(), header.size()) == 0) return at + header.size();
  }
  return std::nullopt;
}

std::optional<PayloadEntry> FindPayloadEntry(const std::uint8_t* file, std::size_t fileSize,
                                             std::size_t payloadStart, const char* name) {
  if (file == nullptr || name == nullptr) return std::nullopt;
  const std::string trailer = PayloadTrailerText();
  std::size_t at = payloadStart;
  while (at < fileSize && !StartsWith(file + at, fileSize - at, trailer)) {
    const void* nul = std::memchr(file + at, '\0', fileSize - at);
    if (nul == nullptr) return std::nullopt;
    const std::size_t nameLength = static_cast<const std::uint8_t*>(nul) - (file + at);
    const std::size_t sizeAt = at + nameLength + 1;
    if (fileSize - sizeAt < 4) return std::nullopt;
    const std::uint32_t size = ReadLittleEndian32(file + sizeAt);
    const std::size_t dataAt = sizeAt + 4;
    if (size > fileSize - dataAt) return std::nullopt;
    if (SameNameIgnoringCase(reinterpret_cast<const char*>(file + at), nameLength, name)) {
      return PayloadEntry{dataAt, size};
    }
    at = dataAt + size;
  }
  return std::nullopt;
}

bool AppendPayload(std::vector<std::uint8_t>& image, const std::vector<PayloadFile>& files) {
  for (const PayloadFile& f : files) {
    if (!ValidEntryName(f.name) || f.bytes.size() > 0xFFFFFFFFu) return false;
  }
  const std::string header = PayloadHeaderText(), trailer = PayloadTrailerText();
  image.insert(image.end(), header.begin(), header.end());
  for (const PayloadFile& f : files) {
    image.insert(image.end(), f.name.begin(), f.name.end());
    image.push_back(0);
    AppendLittleEndian32(image, static_cast<std::uint32_t>(f.bytes.size()));
    image.insert(image.end(), f.bytes.begin(), f.bytes.end());
  }
  image.insert(image.end(), trailer.begin(), trailer.end());
  return true;
}

}  // namespace quillo::setup
