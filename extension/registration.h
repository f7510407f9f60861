// Self-registration: the Approved entry under HKEY_LOCAL_MACHINE and the two registration
// scripts (resources 101 and 102) under HKEY_CLASSES_ROOT.
#pragma once

#include <windows.h>

namespace quillo {

constexpr int kAppIdScript = 101;
constexpr int kClassScript = 102;

// E_ACCESSDENIED, before HKEY_CLASSES_ROOT is touched, when the Approved key cannot be opened
// for setting values or the value cannot be written.
HRESULT RegisterServer(HINSTANCE module);
HRESULT UnregisterServer(HINSTANCE module);

}  // namespace quillo
