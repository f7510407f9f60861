#include "payload_file.h"

#include <windows.h>

#include "setup_error_code.h"
#include "setup_payload.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

// The running program file mapped read-only for the duration of one read.
class MappedProgram {
 public:
  MappedProgram() {
    file_ = FileHandle(CreateFileA(Setup().programPath, GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size) || size.QuadPart == 0 || size.HighPart != 0) return;
    mapping_ = FileHandle(CreateFileMappingA(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping_) return;
    view_ = static_cast<const std::uint8_t*>(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
    if (view_) size_ = static_cast<std::size_t>(size.QuadPart);
  }
  ~MappedProgram() {
    if (view_) UnmapViewOfFile(view_);
  }
  MappedProgram(const MappedProgram&) = delete;
  MappedProgram& operator=(const MappedProgram&) = delete;

  std::optional<PayloadEntry> Find(const char* name) const {
    if (view_ == nullptr) return std::nullopt;
    const std::optional<std::size_t> start = FindPayloadStart(view_, size_);
    if (!start) return std::nullopt;
    return FindPayloadEntry(view_, size_, *start, name);
  }
  const std::uint8_t* bytes() const { return view_; }

 private:
  FileHandle file_;
  FileHandle mapping_;
  const std::uint8_t* view_ = nullptr;
  std::size_t size_ = 0;
};

bool IsExistingFile(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int WriteWholeFile(const char* path, const std::uint8_t* bytes, std::size_t size) {
  FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError() == ERROR_SHARING_VIOLATION ? kSharingViolation : kCopyFailed;
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes, static_cast<DWORD>(size), &written, nullptr) ||
      written != size) {
    return kCopyFailed;
  }
  return kNoError;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const char* path) {
  FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.HighPart != 0 ||
      size.QuadPart > 0x7FFFFFFF) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

int ReadPayloadEntry(const char* name, const char* target, PayloadRead mode,
                     std::vector<std::uint8_t>* out, std::size_t extra) {
  const MappedProgram program;
  const std::optional<PayloadEntry> entry = program.Find(name);
  if (!entry) return kPayloadEntryMissing;
  const std::uint8_t* data = program.bytes() + entry->dataOffset;
  switch (mode) {
    case PayloadRead::kToBuffer:
      if (out) {
        out->assign(data, data + entry->size);
        out->resize(entry->size + extra, 0);
      }
      return kNoError;
    case PayloadRead::kToFile:
      return WriteWholeFile(target, data, entry->size);
    case PayloadRead::kImageToFile:
      return WriteWholeFile(target, program.bytes(), entry->end());
  }
  return kPayloadEntryMissing;
}

std::optional<std::vector<std::uint8_t>> LoadSetupFile(const char* name, std::size_t extra) {
  if (IsExistingFile(name)) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(name);
    if (bytes) bytes->resize(bytes->size() + extra, 0);
    return bytes;
  }
  std::vector<std::uint8_t> bytes;
  if (ReadPayloadEntry(name, nullptr, PayloadRead::kToBuffer, &bytes, extra) != kNoError) {
    return std::nullopt;
  }
  return bytes;
}

int CopySetupFile(const char* source, const char* destination) {
  if (IsExistingFile(source)) {
    if (CopyFileA(source, destination, FALSE)) return kNoError;
    return GetLastError() == ERROR_SHARING_VIOLATION ? kSharingViolation : kCopyFailed;
  }
  return ReadPayloadEntry(source, destination, PayloadRead::kToFile);
}

}  // namespace quillo::setup
