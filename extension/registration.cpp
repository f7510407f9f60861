#include "registration.h"

#include <shlwapi.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "class_id.h"
#include "registry_script.h"
#include "win_handle.h"

namespace quillo {
namespace {

constexpr char kApprovedKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
constexpr char kApprovedText[] = "Quillo Shell Extension";

bool IsNtFamily() { return (GetVersion() & 0x80000000u) == 0; }

// The scripts run with the system default locale, so that key names compare the same way
// whatever the calling thread's locale is.
class SystemLocaleScope {
 public:
  SystemLocaleScope() : previous_(GetThreadLocale()) { SetThreadLocale(LANG_SYSTEM_DEFAULT); }
  SystemLocaleScope(const SystemLocaleScope&) = delete;
  SystemLocaleScope& operator=(const SystemLocaleScope&) = delete;
  ~SystemLocaleScope() { SetThreadLocale(previous_); }

 private:
  LCID previous_;
};

HRESULT FromStatus(LONG status) {
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

LONG SetString(HKEY key, const char* name, const std::string& value) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1));
}

HRESULT RegisterKeys(HKEY parent, const std::vector<ScriptKey>& keys) {
  for (const ScriptKey& key : keys) {
    if (key.removal == KeyRemoval::kForceRemove) SHDeleteKeyA(parent, key.name.c_str());
    RegKey opened;
    LONG status = RegCreateKeyExA(parent, key.name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                  nullptr, opened.receive(), nullptr);
    if (status == ERROR_SUCCESS && key.defaultValue) {
      status = SetString(opened.get(), nullptr, *key.defaultValue);
    }
    for (const auto& [name, value] : key.values) {
      if (status == ERROR_SUCCESS) status = SetString(opened.get(), name.c_str(), value);
    }
    if (status != ERROR_SUCCESS) return FromStatus(status);
    if (const HRESULT result = RegisterKeys(opened.get(), key.children); FAILED(result)) return result;
  }
  return S_OK;
}

// Deletes what the script created; keys marked NoRemove stay, only what is listed below them
// goes. Keys already gone are not an error.
void UnregisterKeys(HKEY parent, const std::vector<ScriptKey>& keys) {
  for (const ScriptKey& key : keys) {
    if (key.removal != KeyRemoval::kNoRemove) {
      SHDeleteKeyA(parent, key.name.c_str());
      continue;
    }
    RegKey opened;
    if (RegOpenKeyExA(parent, key.name.c_str(), 0, KEY_READ | KEY_WRITE, opened.receive()) !=
        ERROR_SUCCESS) {
      continue;
    }
    for (const auto& value : key.values) RegDeleteValueA(opened.get(), value.first.c_str());
    UnregisterKeys(opened.get(), key.children);
  }
}

bool LoadScript(HINSTANCE module, int id, std::string& text) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "REGISTRY");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  text.assign(static_cast<const char*>(bytes), SizeofResource(module, found));
  return true;
}

HRESULT ParseScript(HINSTANCE module, int id, std::vector<ScriptKey>& keys) {
  char modulePath[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, modulePath, sizeof modulePath);
  if (length == 0 || length >= sizeof modulePath) return E_FAIL;
  std::string text, expanded;
  if (!LoadScript(module, id, text)) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
  const std::vector<ScriptVariable> variables{{"APPID", kQuilloExtClassIdText},
                                              {"CLSID", kQuilloExtClassIdText},
                                              {"MODULE", modulePath},
                                              {"MODULENAME", kModuleFileName}};
  if (!ExpandScriptVariables(text, variables, expanded) || !ParseRegistryScript(expanded, keys)) {
    return E_UNEXPECTED;
  }
  return S_OK;
}

HRESULT RunScript(HINSTANCE module, int id, bool registering) {
  std::vector<ScriptKey> keys;
  if (const HRESULT parsed = ParseScript(module, id, keys); FAILED(parsed)) return parsed;
  if (registering) return RegisterKeys(HKEY_CLASSES_ROOT, keys);
  UnregisterKeys(HKEY_CLASSES_ROOT, keys);
  return S_OK;
}

HRESULT SetApprovedValue() {
  RegKey approved;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kApprovedKey, 0, KEY_SET_VALUE, approved.receive()) !=
          ERROR_SUCCESS ||
      SetString(approved.get(), kQuilloExtClassIdText, kApprovedText) != ERROR_SUCCESS) {
    return E_ACCESSDENIED;
  }
  return S_OK;
}

void DeleteApprovedValue() {
  RegKey approved;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kApprovedKey, 0, KEY_SET_VALUE, approved.receive()) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(approved.get(), kQuilloExtClassIdText);
  }
}

}  // namespace

// The script parser builds strings; running out of memory in regsvr32 reports a failure
// instead of letting an exception leave the DLL.
HRESULT RegisterServer(HINSTANCE module) try {
  if (IsNtFamily()) {
    if (const HRESULT approved = SetApprovedValue(); FAILED(approved)) return approved;
  }
  SystemLocaleScope locale;
  if (const HRESULT appId = RunScript(module, kAppIdScript, true); FAILED(appId)) return appId;
  return RunScript(module, kClassScript, true);
} catch (const std::bad_alloc&) {
  return E_OUTOFMEMORY;
}

HRESULT UnregisterServer(HINSTANCE module) try {
  if (IsNtFamily()) DeleteApprovedValue();
  SystemLocaleScope locale;
  const HRESULT classScript = RunScript(module, kClassScript, false);
  const HRESULT appId = RunScript(module, kAppIdScript, false);
  return FAILED(classScript) ? classScript : appId;
} catch (const std::bad_alloc&) {
  return E_OUTOFMEMORY;
}

}  // namespace quillo
