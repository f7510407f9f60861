// The DLL's entry points. The module stays loaded for the life of the host process: hooks,
// subclassed windows and threads point into it.
#include <windows.h>

#include "extension_state.h"
#include "quillo_module.h"
#include "registration.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    return quillo::CQuilloModule::Instance().Start(instance) ? TRUE : FALSE;
  }
  if (reason == DLL_PROCESS_DETACH) {
    // At process exit (reserved non-null) other modules may already be gone; only an explicit
    // unload releases what the process state holds.
    if (reserved == nullptr) {
      quillo::ReleaseProcessResources(quillo::State());
      quillo::CQuilloModule::Instance().Stop();
    }
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* object) {
  return quillo::CQuilloModule::Instance().GetClassObject(classId, riid, object);
}

extern "C" HRESULT WINAPI DllRegisterServer() {
  return quillo::RegisterServer(quillo::State().ModuleInstance);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  return quillo::UnregisterServer(quillo::State().ModuleInstance);
}
