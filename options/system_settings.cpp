#include "system_settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/option_text.h"
#include "setup_info_record.h"
#include "win_handle.h"

namespace quillo {
namespace {

constexpr char kAdvancedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kUnknownShell[] = "Unknown\\shell";
constexpr char kUnknownOpen[] = "Unknown\\shell\\open";
constexpr char kUnknownCommand[] = "Unknown\\shell\\open\\command";

// Opens a key, creating it with the product name as its class when missing.
RegKey CreateKey(HKEY root, const char* path, REGSAM access) {
  RegKey key;
  char keyClass[] = "Quillo";
  if (RegCreateKeyExA(root, path, 0, keyClass, 0, access, nullptr, key.receive(), nullptr) !=
      ERROR_SUCCESS) {
    return RegKey();
  }
  return key;
}

// A REG_SZ value read into out, cut to outSize (always terminated): a longer value gives its
// first outSize - 1 characters. False when unreadable.
bool ReadString(HKEY key, const char* name, char* out, std::size_t outSize) {
  out[0] = '\0';
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  std::vector<char> value(size + 1, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  const std::size_t length = strnlen(value.data(), std::min<std::size_t>(size, outSize - 1));
  std::memcpy(out, value.data(), length);
  out[length] = '\0';
  return true;
}

void SetString(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::strlen(text) + 1));
}

}  // namespace

unsigned ReadExplorerHidden() {
  RegKey key = CreateKey(HKEY_CURRENT_USER, kAdvancedKey, KEY_QUERY_VALUE);
  DWORD value = 0;
  if (!key) return 0;
  DWORD type = 0, size = sizeof value;
  if (RegQueryValueExA(key.get(), "Hidden", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    value = 0;
  }
  return value;
}

int ReadMenuShowDelay() {
  int delay = 1000;
  RegKey key = CreateKey(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE);
  char text[kPathSize];
  // Read as a plain base-10 integer: a value without digits gives 0, as Windows reads it.
  if (key && ReadString(key.get(), "MenuShowDelay", text, sizeof text)) delay = ParseNumber(text).value_or(0);
  return delay;
}

void WriteMenuShowDelay(int milliseconds) {
  RegKey key = CreateKey(HKEY_CURRENT_USER, kDesktopKey, KEY_ALL_ACCESS);
  if (!key) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", milliseconds);
  SetString(key.get(), "MenuShowDelay", text);
}

bool ReadUnknownTypeCommand(char* out, std::size_t outSize) {
  out[0] = '\0';
  RegKey key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kUnknownCommand, 0, KEY_QUERY_VALUE, key.receive()) !=
      ERROR_SUCCESS) {
    return false;
  }
  ReadString(key.get(), nullptr, out, outSize);
  return true;
}

void WriteUnknownTypeCommand(const char* command) {
  // Refusals (no administrator rights) are taken back by the caller from what Windows keeps.
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kUnknownCommand);
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kUnknownOpen);
  if (command[0] == '\0') return;
  if (RegKey shell = CreateKey(HKEY_CLASSES_ROOT, kUnknownShell, KEY_ALL_ACCESS)) {
    SetString(shell.get(), nullptr, "");
  }
  if (RegKey open = CreateKey(HKEY_CLASSES_ROOT, kUnknownCommand, KEY_ALL_ACCESS)) {
    SetString(open.get(), nullptr, command);
  }
}

}  // namespace quillo
