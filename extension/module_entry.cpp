// The DLL's entry points. The module stays loaded for the life of the host process.
#include <windows.h>

namespace {
HINSTANCE g_moduleInstance = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_moduleInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}
