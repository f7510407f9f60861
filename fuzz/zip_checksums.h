// Structure-aware help for the ZIP targets: random bytes almost never carry a matching CRC-32,
// so after each mutation the checksums (and a deflated entry's size) are made to agree with the
// entry data, and the reader's later checks are reached.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Walks the central directory as far as it can be followed and writes into every entry whose
// data lies inside the bytes the CRC-32 of its content (and, for a deflate stream that ends,
// the inflated size) into both its central and local header.
void FixZipChecksums(std::uint8_t* archive, std::size_t size);

}  // namespace fuzz
