// The standard reflected CRC-32 (polynomial 0x04C11DB7, initial value all ones, final complement).
#pragma once

#include <cstddef>
#include <cstdint>

namespace lwf {

std::uint32_t Crc32(const void* data, std::size_t size);

// The key that instances of one product put into their broadcast control messages: the CRC-32
// of the product name's bytes (without the terminator).
std::uint32_t InstanceKey(const char* productName);

}  // namespace lwf
