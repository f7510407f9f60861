#include "whole_file.h"

#include <windows.h>

#include "win_handle.h"

namespace lwf {

bool ReadWholeFile(const char* path, std::size_t limit, Bytes& out) {
  quillo::FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size > limit) return false;
  out.assign(size, 0);
  DWORD read = 0;
  return size == 0 || (ReadFile(file.get(), out.data(), size, &read, nullptr) && read == size);
}

bool WriteWholeFile(const char* path, const Bytes& bytes) {
  if (bytes.size() > MAXDWORD) return false;
  quillo::FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return bytes.empty() ||
         (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
          written == bytes.size());
}

}  // namespace lwf
