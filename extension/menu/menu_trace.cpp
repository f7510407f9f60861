#include "menu_trace.h"

#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace quillo {
namespace {

// Bit 0: known; bit 1: level events on; bit 2: entry events on. Read once.
constexpr int kKnown = 1, kLevels = 2, kEntries = 4;
std::atomic<int> g_traceState{0};
char g_tracePath[MAX_PATH];

int TraceState() {
  int state = g_traceState.load(std::memory_order_acquire);
  if (state == 0) {
    state = kKnown;
    const DWORD length = GetEnvironmentVariableA("QUILLO_TRACE", g_tracePath, sizeof g_tracePath);
    if (length > 0 && length < sizeof g_tracePath) {
      char entries[4] = "";
      GetEnvironmentVariableA("QUILLO_TRACE_ENTRIES", entries, sizeof entries);
      state |= kLevels | (std::strcmp(entries, "0") == 0 ? 0 : kEntries);
    }
    g_traceState.store(state, std::memory_order_release);
  }
  return state;
}

void WriteLine(const char* format, va_list arguments) {
  char line[512];
  const int prefix = std::snprintf(line, sizeof line, "%lu %lu ", GetTickCount(), GetCurrentThreadId());
  std::vsnprintf(line + prefix, sizeof line - static_cast<std::size_t>(prefix), format, arguments);
  HANDLE file = CreateFileA(g_tracePath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

TraceText::TraceText(const wchar_t* real) {
  text[0] = '\0';
  if ((TraceState() & kLevels) == 0) return;  // nothing is written: spare the conversion
  if (WideCharToMultiByte(CP_UTF8, 0, real, -1, text, sizeof text, nullptr, nullptr) == 0) {
    text[0] = '\0';
  }
}

void MenuTrace(const char* format, ...) {
  if ((TraceState() & kLevels) == 0) return;
  va_list arguments;
  va_start(arguments, format);
  WriteLine(format, arguments);
  va_end(arguments);
}

void MenuTraceEntry(const char* format, ...) {
  if ((TraceState() & kEntries) == 0) return;
  va_list arguments;
  va_start(arguments, format);
  WriteLine(format, arguments);
  va_end(arguments);
}

}  // namespace quillo
