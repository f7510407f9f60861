// Taking files from the payload appended to the running program, or from loose files beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillo::setup {

enum class PayloadRead {
  kToBuffer = 0,     // the entry's bytes
  kToFile = 1,       // the entry's bytes written to the target
  kImageToFile = 2,  // the program file from its start to the end of the entry written to the target
};

// Results: 0, 17 (program file unreadable or no such entry), 8 (target not written),
// 31 (target locked by another process). In kToBuffer mode `out` receives the bytes followed
// by `extra` zero bytes.
int ReadPayloadEntry(const char* name, const char* target, PayloadRead mode,
                     std::vector<std::uint8_t>* out = nullptr, std::size_t extra = 0);

// A loose file of that name (relative to the current directory) or else the payload entry,
// followed by `extra` zero bytes. Nothing when neither exists.
std::optional<std::vector<std::uint8_t>> LoadSetupFile(const char* name, std::size_t extra);

// CopyFileA of a loose source, or else the payload entry written to the destination.
// Results: 0, 8, 31, 17.
int CopySetupFile(const char* source, const char* destination);

// Writes bytes to a file (create always). Results: 0, 8, or 31 on a sharing violation.
int WriteWholeFile(const char* path, const std::uint8_t* bytes, std::size_t size);

// The whole file, or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const char* path);

}  // namespace quillo::setup
