// The byte layout of ZIP archives (PKWARE): record signatures, fixed header sizes and the
// little-endian fields, shared by the reader/writer and the tools that repair archives for tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lwf::zip {

constexpr std::uint32_t kLocalSignature = 0x04034B50;
constexpr std::uint32_t kCentralSignature = 0x02014B50;
constexpr std::uint32_t kEndSignature = 0x06054B50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndRecordSize = 22;

inline std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

inline std::uint32_t Get32(const std::uint8_t* p) {
  return Get16(p) | static_cast<std::uint32_t>(Get16(p + 2)) << 16;
}

}  // namespace lwf::zip
