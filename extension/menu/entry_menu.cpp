#include "entry_menu.h"

#include <ole2.h>
#include <wrl/client.h>

#include <atomic>
#include <new>

#include "extension_state.h"
#include "growable_array.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "menu_session.h"
#include "sent_message_wait.h"
#include "shell_item.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

constexpr char kFreezeClass[] = "CFreezeWnd";
constexpr DWORD kHandshakePollMs = 50;
constexpr int kPumpRounds = 600;  // 60 s for asynchronous work the command started
constexpr DWORD kPumpSleepMs = 100;
constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 32767;

// One frozen picture: a topmost window showing a bitmap of the screen rectangle it covers.
struct CFreezeWnd {
  HWND window = nullptr;
  HBITMAP bitmap = nullptr;
  HDC memoryDC = nullptr;
  HGDIOBJ previousBitmap = nullptr;
};

std::atomic<std::uint8_t> g_handshake{0};
GrowableArray<CFreezeWnd*> g_frozen{32};
// The shell menu being shown, for the owner-drawn submenus it asks the frozen window to draw.
ComPtr<IContextMenu2> g_shellMenu2;

LRESULT CALLBACK FreezeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const auto* frozen = reinterpret_cast<CFreezeWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    RECT client;
    GetClientRect(window, &client);
    if (frozen != nullptr && frozen->memoryDC != nullptr) {
      BitBlt(dc, 0, 0, client.right, client.bottom, frozen->memoryDC, 0, 0, SRCCOPY);
    }
    EndPaint(window, &paint);
    return 0;
  }
  if ((message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_INITMENUPOPUP ||
       message == WM_MENUCHAR) &&
      g_shellMenu2) {
    g_shellMenu2->HandleMenuMsg(message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void DestroyFrozenWindows() {
  for (std::size_t i = 0; i < g_frozen.count(); ++i) {
    CFreezeWnd* frozen = g_frozen[i];
    if (frozen->memoryDC != nullptr) {
      SelectObject(frozen->memoryDC, frozen->previousBitmap);
      DeleteDC(frozen->memoryDC);
    }
    if (frozen->bitmap != nullptr) DeleteObject(frozen->bitmap);
    if (frozen->window != nullptr) DestroyWindow(frozen->window);
    delete frozen;
  }
  g_frozen.Clear();
}

void FreezeRectangle(const RECT& rect) {
  auto* frozen = new (std::nothrow) CFreezeWnd;
  if (frozen == nullptr) return;
  if (g_frozen.Append(frozen) < 0) {
    delete frozen;
    return;
  }
  RegisterFreezeClass(State().ModuleInstance);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  frozen->memoryDC = CreateCompatibleDC(screen);
  frozen->bitmap = CreateCompatibleBitmap(screen, width, height);
  if (frozen->memoryDC != nullptr && frozen->bitmap != nullptr) {
    frozen->previousBitmap = SelectObject(frozen->memoryDC, frozen->bitmap);
    BitBlt(frozen->memoryDC, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  frozen->window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kFreezeClass, "",
                                   WS_POPUP | WS_VISIBLE, rect.left, rect.top, width, height,
                                   nullptr, nullptr, State().ModuleInstance, nullptr);
  if (frozen->window != nullptr) {
    SetWindowLongPtrA(frozen->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frozen));
    UpdateWindow(frozen->window);
  }
}

// Pictures of the window the menu was opened over and of every visible level.
void Freeze() {
  DestroyFrozenWindows();
  RECT rect;
  if (HWND target = FreezeTarget(); target != nullptr && GetWindowRect(target, &rect)) {
    FreezeRectangle(rect);
  }
  for (int i = 0; i < LevelCount(); ++i) {
    HWND window = LevelAt(i)->menuWindow.load(std::memory_order_relaxed);
    if (window != nullptr && IsWindowVisible(window) && GetWindowRect(window, &rect)) {
      FreezeRectangle(rect);
    }
  }
}

HWND FirstFrozenWindow() { return g_frozen.count() > 0 ? g_frozen[0]->window : nullptr; }

// Cancels the extension's menus and Explorer's behind the frozen pictures. The desktop stays
// locked only while the cancel is tried, for a bounded time: a menu thread that does not let go
// must not leave the whole screen unpainted.
void CloseMenusBehindPictures() {
  ExtensionState& state = State();
  LockWindowUpdate(GetDesktopWindow());
  g_handshake.store(0, std::memory_order_release);
  CancelMenus(state.MenuOwnerWindow, state.OwnMenuActive, kCancelLimitMs);
  if (HWND first = FirstFrozenWindow()) SetForegroundWindow(first);
  LockWindowUpdate(nullptr);
}

UINT TrackShellMenu(IShellFolder* folder, LPCITEMIDLIST child, POINT at) {
  ComPtr<IContextMenu> shellMenu;
  if (FAILED(folder->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr, &shellMenu))) {
    return 0;
  }
  HMENU popup = CreatePopupMenu();
  if (popup == nullptr) return 0;
  if (SUCCEEDED(shellMenu.As(&g_shellMenu2))) shellMenu = g_shellMenu2;
  UINT chosen = 0;
  if (SUCCEEDED(shellMenu->QueryContextMenu(popup, 0, kFirstCommand, kLastCommand, CMF_NORMAL))) {
    chosen = static_cast<UINT>(TrackPopupMenuEx(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                at.x, at.y, FirstFrozenWindow(), nullptr));
    if (chosen != 0) {
      DestroyFrozenWindows();
      CMINVOKECOMMANDINFO invoke{};
      invoke.cbSize = sizeof invoke;
      invoke.fMask = CMIC_MASK_ASYNCOK;
      invoke.lpVerb = MAKEINTRESOURCEA(chosen - kFirstCommand);
      invoke.nShow = SW_SHOWNORMAL;
      shellMenu->InvokeCommand(&invoke);
    }
  }
  DestroyMenu(popup);
  g_shellMenu2.Reset();
  return chosen;
}

DWORD WINAPI EntryMenuThread(void* parameter) {
  IdListOwner entry(State().Allocator.Get(), static_cast<LPITEMIDLIST>(parameter));
  OleInitialize(nullptr);
  POINT cursor{};
  GetCursorPos(&cursor);
  Freeze();
  IMalloc* allocator = State().Allocator.Get();
  IdListOwner parent(allocator, CopyIdList(allocator, entry.get()));
  IdListOwner child(allocator, SplitOffLastId(allocator, parent.get()));
  const bool hasChild = child.get() != nullptr && !IsEmptyIdList(child.get());
  ComPtr<IShellFolder> folder;
  IShellFolder* desktop = State().DesktopFolder.Get();
  if (hasChild && !IsEmptyIdList(parent.get())) {
    desktop->BindToObject(parent.get(), nullptr, IID_PPV_ARGS(&folder));
  }
  CloseMenusBehindPictures();
  const UINT chosen = hasChild
                          ? TrackShellMenu(folder ? folder.Get() : desktop, child.get(), cursor)
                          : 0;
  DestroyFrozenWindows();
  folder.Reset();
  MenuTrace("entry-menu chosen=%u", chosen);
  State().Busy = 0;
  for (int round = 0; round < kPumpRounds; ++round) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(kPumpSleepMs);
  }
  OleUninitialize();
  return chosen;
}

}  // namespace

void RegisterFreezeClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FreezeWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kFreezeClass;
  RegisterClassA(&windowClass);  // a repeated registration fails harmlessly
}

void ReleaseFreezeClass(HINSTANCE instance) { UnregisterClassA(kFreezeClass, instance); }

int ShowEntryMenu(LPCITEMIDLIST entry) {
  ExtensionState& state = State();
  LPITEMIDLIST copy = CopyIdList(state.Allocator.Get(), entry);
  if (copy == nullptr) return 1;
  g_handshake.store(1, std::memory_order_release);
  state.Busy = 1;
  HANDLE thread = CreateThread(nullptr, 0, EntryMenuThread, copy, 0, nullptr);
  if (thread == nullptr) {
    state.Allocator.Free(copy);
    g_handshake.store(0, std::memory_order_release);
    state.Busy = 0;
    return 1;
  }
  // Messages the thread sends to this thread's windows meanwhile are answered; a thread that
  // does not get going is not waited for longer than a cancel may take.
  const DWORD start = GetTickCount();
  while (g_handshake.load(std::memory_order_acquire) != 0 && GetTickCount() - start < kCancelLimitMs) {
    WaitAnsweringSentMessages(kHandshakePollMs);
  }
  CloseHandle(thread);
  return 1;
}

}  // namespace quillo
