// Owners for the Win32 handles the extension creates: each is released on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace quillo {

// A handle with a release function; null means "none".
template <typename Handle, auto Release>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle h) : handle_(h) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle h = nullptr) {
    if (handle_) Release(handle_);
    handle_ = h;
  }
  Handle release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void UnhookHook(HHOOK hook) { UnhookWindowsHookEx(hook); }
inline void DeleteMemoryDC(HDC dc) { DeleteDC(dc); }

using FontHandle = OwnedHandle<HFONT, DeleteGdiObject>;
using BitmapHandle = OwnedHandle<HBITMAP, DeleteGdiObject>;
using MenuHandle = OwnedHandle<HMENU, DestroyMenuHandle>;
using HookHandle = OwnedHandle<HHOOK, UnhookHook>;
using MemoryDC = OwnedHandle<HDC, DeleteMemoryDC>;

// A screen DC released on destruction.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  ~ScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a DC for the owner's lifetime; the previous one is selected back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A storage medium from IDataObject::GetData, released on destruction.
class StorageMedium {
 public:
  StorageMedium() = default;
  StorageMedium(const StorageMedium&) = delete;
  StorageMedium& operator=(const StorageMedium&) = delete;
  ~StorageMedium() {
    if (filled_) ReleaseStgMedium(&medium_);
  }
  HRESULT Fetch(IDataObject* data, FORMATETC& format) {
    const HRESULT result = data->GetData(&format, &medium_);
    filled_ = SUCCEEDED(result);
    return result;
  }
  HGLOBAL global() const { return medium_.tymed == TYMED_HGLOBAL ? medium_.hGlobal : nullptr; }

 private:
  STGMEDIUM medium_{};
  bool filled_ = false;
};

// Global memory locked for the owner's lifetime.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory_(memory), bytes_(memory ? ::GlobalLock(memory) : nullptr),
        size_(bytes_ ? GlobalSize(memory) : 0) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (bytes_) GlobalUnlock(memory_);
  }
  const void* bytes() const { return bytes_; }
  SIZE_T size() const { return size_; }

 private:
  HGLOBAL memory_;
  void* bytes_;
  SIZE_T size_;
};

}  // namespace quillo
