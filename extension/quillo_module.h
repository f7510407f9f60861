// CQuilloModule: the DLL module with its object map of one class, the lock count and the class
// factory, which is created once and cached.
#pragma once

#include <windows.h>

#include <atomic>

namespace quillo {

class CQuilloModule {
 public:
  static CQuilloModule& Instance();

  // Process attach and detach. False when the critical section cannot be set up.
  bool Start(HINSTANCE instance);
  void Stop();

  // The class factory for CQuilloExt; CLASS_E_CLASSNOTAVAILABLE for any other class.
  HRESULT GetClassObject(REFCLSID classId, REFIID riid, void** object);

  void Lock() { ++locks_; }
  void Unlock() { --locks_; }

 private:
  CRITICAL_SECTION factoryLock_{};
  bool started_ = false;
  IClassFactory* factory_ = nullptr;  // created on first request, kept for the process's life
  std::atomic<long> locks_{0};
};

}  // namespace quillo
