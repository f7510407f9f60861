#include "menu_trace.h"

#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace quillo {
namespace {

// 0 unknown, 1 off, 2 on; read once.
std::atomic<int> g_traceState{0};
char g_tracePath[MAX_PATH];

bool TraceOn() {
  int state = g_traceState.load(std::memory_order_acquire);
  if (state == 0) {
    const DWORD length = GetEnvironmentVariableA("QUILLO_TRACE", g_tracePath, sizeof g_tracePath);
    state = length > 0 && length < sizeof g_tracePath ? 2 : 1;
    g_traceState.store(state, std::memory_order_release);
  }
  return state == 2;
}

}  // namespace

TraceText::TraceText(const wchar_t* real) {
  if (WideCharToMultiByte(CP_UTF8, 0, real, -1, text, sizeof text, nullptr, nullptr) == 0) {
    text[0] = '\0';
  }
}

void MenuTrace(const char* format, ...) {
  if (!TraceOn()) return;
  char line[512];
  const int prefix = std::snprintf(line, sizeof line, "%lu %lu ", GetTickCount(), GetCurrentThreadId());
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line + prefix, sizeof line - static_cast<std::size_t>(prefix), format, arguments);
  va_end(arguments);
  HANDLE file = CreateFileA(g_tracePath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
}

}  // namespace quillo
