#include "registry_commands.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ascii_text.h"
#include "data_folder.h"
#include "desktop_user.h"
#include "setup_error_code.h"
#include "setup_info_record.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

struct RootName {
  const char* shortName;
  const char* longName;
  HKEY root;
};

const RootName kRoots[] = {
    {"CR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"LM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"CU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
};

void SetValue(HKEY root, const char* key, const char* name, REGSAM view, DWORD type,
              const void* data, DWORD size) {
  RegKey opened;
  // The outcome is not checked: a value that cannot be written is no failure of the script.
  if (RegCreateKeyExA(root, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | view,
                      nullptr, opened.receive(), nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(opened.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

// Deletes the key and everything below it in the given view.
void DeleteTree(HKEY root, const char* key, REGSAM view) {
  {
    RegKey opened;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS | view, opened.receive()) != ERROR_SUCCESS) {
      return;
    }
    char child[256];
    for (;;) {
      DWORD length = sizeof child;
      if (RegEnumKeyExA(opened.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      char path[1024];
      if (!FormatPath(path, sizeof path, "%s\\%s", key, child)) break;
      DeleteTree(root, path, view);
      // A child that could not be removed would be found again: stop rather than loop.
      RegKey check;
      if (RegOpenKeyExA(root, path, 0, KEY_READ | view, check.receive()) == ERROR_SUCCESS) break;
    }
  }
  // Resolved at run time: 32-bit Windows XP lacks it (and never asks for another view).
  using RegDeleteKeyExAFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  auto deleteKey = reinterpret_cast<RegDeleteKeyExAFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
  if (deleteKey) deleteKey(root, key, view, 0);
}

void ShowValueStatus(const char* name, const char* data) {
  char status[kArgumentSize];
  std::snprintf(status, sizeof status, "Creating Registry value: %s=%s", name, data);
  ShowStatus(kStatusLine, status);
}

}  // namespace

HKEY RegistryRoot(const char* name) {
  for (const RootName& row : kRoots) {
    if (EqualIgnoringCase(name, row.shortName) || EqualIgnoringCase(name, row.longName)) {
      return row.root;
    }
  }
  return nullptr;
}

REGSAM ViewAccess(const char* option) {
  return Setup().is64 && EqualIgnoringCase(option, "x64") ? KEY_WOW64_64KEY : 0;
}

int CreateRegValSzCommand(const char* root, const char* key, const char* name, const char* text,
                          const char* option) {
  ShowValueStatus(name, text);
  const HKEY rootKey = RegistryRoot(root);
  if (rootKey == nullptr) return kUnknownRootText;
  SetValue(rootKey, key, name, ViewAccess(option), REG_SZ, text,
           static_cast<DWORD>(std::strlen(text) + 1));
  return kNoError;
}

int CreateRegValDWCommand(const char* root, const char* key, const char* name,
                          const char* number, const char* option) {
  ShowValueStatus(name, number);
  const HKEY rootKey = RegistryRoot(root);
  if (rootKey == nullptr) return kUnknownRootNumber;
  const DWORD value = static_cast<DWORD>(std::strtoul(number, nullptr, 10));
  SetValue(rootKey, key, name, ViewAccess(option), REG_DWORD, &value, sizeof value);
  return kNoError;
}

int DeleteRegKeyCommand(const char* root, const char* key, const char* option) {
  ShowStatusFormat(kStatusLine, "Deleting Registry key: %s", key);
  const HKEY rootKey = RegistryRoot(root);
  if (rootKey == nullptr) return kDeleteKeyUnknownRoot;
  const REGSAM view = ViewAccess(option);
  if (view != 0) {
    DeleteTree(rootKey, key, view);
  } else {
    SHDeleteKeyA(rootKey, key);  // a missing key is no error
  }
  return kNoError;
}

int DeleteRegValCommand(const char* root, const char* key, const char* name, const char* option) {
  ShowStatusFormat(kStatusLine, "Deleting Registry value: %s", name);
  const HKEY rootKey = RegistryRoot(root);
  if (rootKey == nullptr) return kDeleteValueUnknownRoot;
  RegKey opened;
  if (RegOpenKeyExA(rootKey, key, 0, KEY_ALL_ACCESS | ViewAccess(option), opened.receive()) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(opened.get(), name);
  }
  return kNoError;
}

bool WriteSetupInfoRecord(const char* product, const SetupInfoRecord& record) {
  RegKey key;
  return RegCreateKeyExA(HKEY_LOCAL_MACHINE, kVendorKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_ALL_ACCESS, nullptr, key.receive(), nullptr) == ERROR_SUCCESS &&
         RegSetValueExA(key.get(), product, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record),
                        sizeof record) == ERROR_SUCCESS;
}

int CreateSetupInfoCommand(const char* product, const char* version) {
  VariableTable& variables = Setup().variables;
  SetupInfoRecord record{};
  record.recordMarker = 1;
  std::sscanf(version, "%hd.%hd", &record.versionMajor, &record.versionMinor);
  record.installScope = static_cast<std::int16_t>(variables.Number("#FORWHO#"));
  record.customDataFolder = static_cast<std::int16_t>(variables.Number("#CUSTOMLOC#"));
  record.perUserDataFolder = static_cast<std::int16_t>(variables.Number("#INDIVIDUAL#"));
  auto copyField = [&](char* field, const char* name) {
    std::snprintf(field, kPathSize, "%s", variables.Text(name));
  };
  copyField(record.installFolder, "#INSTALLPATH#");
  copyField(record.customDataPath, "#CUSTOMPATH#");
  copyField(record.versionCheckUrl, "#VERURL#");
  copyField(record.downloadUrl, "#DLDURL#");

  WriteSetupInfoRecord(product, record);
  char dataFolder[kPathSize] = "";
  {
    const DesktopUserScope asDesktopUser(true);
    DataFolderForRecord(record, product, dataFolder, sizeof dataFolder);
  }
  variables.Set("#CONFIGPATH#", dataFolder);
  return kNoError;
}

}  // namespace quillo::setup
