#include "quillo_module.h"

#include <new>

#include "class_id.h"
#include "extension_state.h"
#include "quillo_ext.h"

namespace quillo {
namespace {

class ClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *object = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // The object keeps no per-object state an outer object could share, and a handler that is
  // aggregated would break the outer object's identity: aggregation is refused.
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return CQuilloExt::CreateInstance(riid, object);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    lock ? CQuilloModule::Instance().Lock() : CQuilloModule::Instance().Unlock();
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};  // the module's cache holds this one
};

}  // namespace

CQuilloModule& CQuilloModule::Instance() {
  static CQuilloModule module;
  return module;
}

bool CQuilloModule::Start(HINSTANCE instance) {
  State().ModuleInstance = instance;
  started_ = InitializeCriticalSectionAndSpinCount(&factoryLock_, 0) != FALSE;
  return started_;
}

void CQuilloModule::Stop() {
  if (factory_) factory_->Release();
  factory_ = nullptr;
  if (started_) DeleteCriticalSection(&factoryLock_);
  started_ = false;
}

HRESULT CQuilloModule::GetClassObject(REFCLSID classId, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, kQuilloExtClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  EnterCriticalSection(&factoryLock_);
  if (factory_ == nullptr) factory_ = new (std::nothrow) ClassFactory();
  IClassFactory* factory = factory_;
  LeaveCriticalSection(&factoryLock_);
  if (factory == nullptr) return E_OUTOFMEMORY;
  return factory->QueryInterface(riid, object);
}

}  // namespace quillo
