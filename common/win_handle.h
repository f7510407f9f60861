// Owners for the Win32 handles the shared layer creates.
#pragma once

#include <windows.h>

#include <utility>

namespace quillo {

// A kernel handle closed on destruction; INVALID_HANDLE_VALUE and null both mean "none".
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE h) : handle_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { reset(); }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

// An open registry key closed on destruction.
class RegKey {
 public:
  RegKey() = default;
  RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegKey& operator=(RegKey&&) = delete;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (key_) RegCloseKey(key_);
  }

  HKEY get() const { return key_; }
  HKEY* receive() { return &key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

// A FindFirstFile search closed on destruction.
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : handle_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace quillo
