// Little-endian 32-bit integers in byte buffers (payload sizes, patch records).
#pragma once

#include <cstdint>
#include <vector>

namespace quillo::setup {

inline std::uint32_t ReadLittleEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void AppendLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace quillo::setup
