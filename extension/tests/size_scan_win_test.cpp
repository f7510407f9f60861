// The walks behind the size column and the tool tip's counts on real folder trees: nested
// folders, hidden and system files, files named directly, missing paths, and stop requests
// that end a long walk promptly with a partial total; the tool tip's count thread on a folder
// and on a virtual container.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>

#include "extension_state.h"
#include "folder_tree.h"
#include "menu/count_thread.h"
#include "menu/core/scan_path.h"
#include "menu/folder_size_scan.h"
#include "menu/tool_tip_window.h"
#include "shell_item.h"

namespace quillo {
namespace {

using test::Tree;
using test::W;

struct Scan {
  std::uint64_t total = 0;
  std::atomic<std::uint8_t> cancel{0};
  std::atomic<std::uint8_t> abort{0};
  MenuLevel level;  // no window: nothing is repainted

  SizeScan For() { return SizeScan{&total, {&cancel, &abort}, &level, 0}; }

  std::uint64_t Run(const std::string& path) {
    total = 0;
    FolderSizeScan(W(path).c_str(), For(), false);
    return total;
  }
};

constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// a.bin 1000, sub\b.bin 2000, sub\deeper\c.bin 3000, hidden system 500, hidden 70, an empty
// folder.
void FillSample(const Tree& tree) {
  tree.Folder("sub");
  tree.Folder("sub\\deeper");
  tree.Folder("empty");
  tree.File("a.bin", 1000);
  tree.File("sub\\b.bin", 2000);
  tree.File("sub\\deeper\\c.bin", 3000);
  tree.File("sub\\os.sys", 500, kHiddenSystem);
  tree.File("h.bin", 70, FILE_ATTRIBUTE_HIDDEN);
}

TEST(FolderSizeScan, AddsEverythingBelowAFolder) {
  Tree tree;
  FillSample(tree);
  Scan scan;
  EXPECT_EQ(scan.Run(tree.root()), 6570u);  // hidden and system files count
  EXPECT_EQ(scan.Run(tree.root() + "\\"), 6570u);
  EXPECT_EQ(scan.Run(tree.Path("sub")), 5500u);
  EXPECT_EQ(scan.Run(tree.Path("empty")), 0u);
  EXPECT_EQ(scan.Run(tree.Path("sub\\deeper\\c.bin")), 3000u);
  EXPECT_EQ(scan.Run(tree.Path("missing")), 0u);
  EXPECT_EQ(scan.Run(tree.Path("missing\\")), 0u);
}

TEST(FolderSizeScan, AddsToTheTotalItIsGiven) {
  Tree tree;
  FillSample(tree);
  Scan scan;
  scan.total = 5;
  FolderSizeScan(W(tree.Path("a.bin")).c_str(), scan.For(), false);
  EXPECT_EQ(scan.total, 1005u);
}

TEST(FolderSizeScan, EitherStopFlagEndsTheScan) {
  Tree tree;
  FillSample(tree);
  Scan scan;
  scan.cancel = 1;
  EXPECT_EQ(scan.Run(tree.root()), 0u);
  scan.cancel = 0;
  scan.abort = 1;
  EXPECT_EQ(scan.Run(tree.root()), 0u);
  // An entry whose scan was stopped is left to be computed anew.
  EXPECT_EQ(ScanEntrySize(W(tree.root()).c_str(), scan.For()), 0u);
  EXPECT_EQ(scan.total, kSizeNotComputed);
  scan.abort = 0;
  EXPECT_EQ(ScanEntrySize(W(tree.root()).c_str(), scan.For()), 6570u);
  EXPECT_EQ(scan.total, 6570u);
}

TEST(FolderSizeScan, StopsPromptlyInALargeTree) {
  Tree tree;
  constexpr int kFolders = 30, kFiles = 150;
  for (int f = 0; f < kFolders; ++f) {
    char name[32];
    std::snprintf(name, sizeof name, "d%d", f);
    tree.Folder(name);
    for (int i = 0; i < kFiles; ++i) {
      std::snprintf(name, sizeof name, "d%d\\%d", f, i);
      tree.File(name, 10);
    }
  }
  Scan scan;
  ASSERT_EQ(scan.Run(tree.root()), std::uint64_t{kFolders} * kFiles * 10);
  // Stop once the scan is under way; it must end at once and keep what it had.
  const int start = Levels().scanProgress.load();
  std::chrono::steady_clock::time_point stoppedAt;
  std::thread stopper([&] {
    while (Levels().scanProgress.load() - start < 300) std::this_thread::yield();
    stoppedAt = std::chrono::steady_clock::now();
    scan.abort = 1;
  });
  const std::uint64_t partial = ScanEntrySize(W(tree.root()).c_str(), scan.For());
  const auto returnedAt = std::chrono::steady_clock::now();
  stopper.join();
  EXPECT_LT(partial, std::uint64_t{kFolders} * kFiles * 10);
  EXPECT_EQ(scan.total, kSizeNotComputed);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(returnedAt - stoppedAt).count(), 100);
}

// The long-path form of a path, which reaches past MAX_PATH.
std::wstring LongPath(const std::string& path) {
  wchar_t wide[2048] = L"\\\\?\\";
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide + 4, 2040);
  return wide;
}

// Creates a folder, or a file of `bytes` bytes, through the long-path form.
void MakeLong(const std::string& path, DWORD bytes, bool folder) {
  const std::wstring longPath = LongPath(path);
  const wchar_t* wide = longPath.c_str();
  if (folder) {
    CreateDirectoryW(wide, nullptr);
    return;
  }
  HANDLE file = CreateFileW(wide, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string data(bytes, 'x');
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE) WriteFile(file, data.data(), bytes, &written, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// A real tree nested deeper than the scan's path buffers: the branch ends where its path no
// longer fits (the file down there is never counted, no buffer overruns), and the scan goes on
// with what follows it.
TEST(FolderSizeScan, APathTooLongForTheBuffersEndsItsBranch) {
  Tree tree;
  tree.File("top.bin", 1000);
  std::string path = tree.root();
  const std::string name(200, 'n');
  const DWORD sizes[] = {1, 2, 4, 8, 16, 32};
  int tooDeep = -1;
  for (int level = 0; level < 6; ++level) {
    path += "\\" + name;
    MakeLong(path, 0, true);
    MakeLong(path + "\\x.bin", sizes[level], false);
    if (tooDeep < 0 && path.size() + 3 > kScanPathSize) tooDeep = level;
  }
  ASSERT_GE(tooDeep, 1) << "the tree is not deeper than the buffers";
  tree.Folder("zz_after");
  tree.File("zz_after\\z.bin", 500);
  Scan scan;
  const std::uint64_t total = scan.Run(tree.root());
  EXPECT_GE(total, 1500u) << "the scan did not go on after the deep branch";
  const std::uint64_t nested = total - 1500;
  EXPECT_LT(nested, sizes[tooDeep]) << "a file beyond the buffers was counted";
  EXPECT_EQ(nested & ~std::uint64_t{(1u << tooDeep) - 1}, 0u);
  for (int level = 5; level >= 0; --level, path.resize(path.size() - name.size() - 1)) {
    DeleteFileW(LongPath(path + "\\x.bin").c_str());
    RemoveDirectoryW(LongPath(path).c_str());
  }
}

struct Count {
  std::atomic<HWND> window{reinterpret_cast<HWND>(1)};
  CountResults results;

  FolderCounts Run(const std::string& path, bool includeAll) {
    FolderCount count{&window, &results, includeAll, {}};
    CountFolder(W(path).c_str(), 0, count);
    return count.counts;
  }
};

// A folder named in Cyrillic holding files named in Japanese, Greek and with an emoji: under a
// Western code page their ANSI names are question marks that name nothing (or, as a pattern,
// something else).
void FillUnicodeSample(const Tree& tree) {
  tree.Folder("Документы");
  tree.Folder("Документы\\Ωμέγα");
  tree.File("Документы\\日本語.txt", 1000);
  tree.File("Документы\\漢字 😀.bin", 200);
  tree.File("Документы\\Ωμέγα\\写真.png", 30);
  tree.File("Документы\\abcd.txt", 4);  // what "????.txt" would also match
}

TEST(FolderSizeScan, FoldersAndFilesNamedWithoutAnAnsiForm) {
  Tree tree;
  FillUnicodeSample(tree);
  Scan scan;
  EXPECT_EQ(scan.Run(tree.Path("Документы")), 1234u);
  EXPECT_EQ(scan.Run(tree.Path("Документы\\日本語.txt")), 1000u);
  EXPECT_EQ(scan.Run(tree.Path("Документы\\漢字 😀.bin")), 200u);
}

TEST(CountFolder, FoldersAndFilesNamedWithoutAnAnsiForm) {
  Tree tree;
  FillUnicodeSample(tree);
  Count count;
  const FolderCounts c = count.Run(tree.Path("Документы"), false);
  EXPECT_EQ(c.files[0], 3);
  EXPECT_EQ(c.folders[0], 1);
  EXPECT_EQ(c.sizes[0], 1204u);
  EXPECT_EQ(c.files[1], 1);
  EXPECT_EQ(c.sizes[1], 30u);
}

TEST(CountFolder, CountsDirectAndNestedItemsApart) {
  Tree tree;
  FillSample(tree);
  tree.File("top.sys", 40, kHiddenSystem);
  Count count;
  const FolderCounts c = count.Run(tree.root(), false);
  EXPECT_EQ(c.files[0], 1);    // a.bin; the hidden ones are left out
  EXPECT_EQ(c.folders[0], 2);  // sub, empty
  EXPECT_EQ(c.hiddenProtected[0], 1);
  EXPECT_EQ(c.sizes[0], 1000u);
  EXPECT_EQ(c.files[1], 2);    // b.bin, c.bin
  EXPECT_EQ(c.folders[1], 1);  // deeper
  EXPECT_EQ(c.hiddenProtected[1], 1);
  EXPECT_EQ(c.sizes[1], 5000u);
  // What the tip shows is what was published at the end of the last folder.
  EXPECT_EQ(count.results.countersReady.load(), 1);
  const FolderCounts shown = count.results.Snapshot();
  EXPECT_EQ(shown.files[1], 2);
  EXPECT_EQ(shown.sizes[0], 1000u);
}

TEST(CountFolder, HiddenItemsCountWithAllExtensions) {
  Tree tree;
  FillSample(tree);
  Count count;
  const FolderCounts c = count.Run(tree.root(), true);
  EXPECT_EQ(c.files[0], 2);  // a.bin, h.bin
  EXPECT_EQ(c.sizes[0], 1070u);
  EXPECT_EQ(c.files[1], 2);  // the hidden system file is not a file of the count...
  EXPECT_EQ(c.hiddenProtected[1], 1);
  EXPECT_EQ(c.sizes[1], 5500u);  // ...but its size is
}

TEST(CountFolder, OnlyHiddenSystemFiles) {
  Tree tree;
  tree.File("one.sys", 100, kHiddenSystem);
  tree.File("two.sys", 200, kHiddenSystem);
  Count count;
  ToolTipLines lines;
  SetFolderCountLines(lines, count.Run(tree.root(), false));
  EXPECT_STREQ(lines[3], "Size: \t0 bytes");
  EXPECT_STREQ(lines[4], "      \t0 Files, 0 Folders, 2 Hidden protected OS items");
}

TEST(CountFolder, EndsWhenTheTipIsGone) {
  Tree tree;
  FillSample(tree);
  Count count;
  count.window = nullptr;
  const FolderCounts c = count.Run(tree.root(), true);
  EXPECT_EQ(c.files[0] + c.folders[0] + c.files[1], 0);
  EXPECT_EQ(count.results.countersReady.load(), 0);
}

// Runs a count thread for the item and waits until it has ended (the thread's reference is
// gone); the figures are then the job's.
struct CountThreadRun {
  CountJob* job = new CountJob{};
  const CountResults& results = job->results;
  ~CountThreadRun() { ReleaseCountJob(job); }

  bool Run(LPITEMIDLIST item, const std::string& path, std::uint32_t attributes) {
    if (!State().Allocator.Ready() && !State().Allocator.Acquire()) return false;
    lstrcpynW(job->path, W(path).c_str(), kPathSize);
    job->item = OwnedIdList(ListAllocator(), item);
    job->attributes = attributes;
    job->includeAllExtensions = true;
    job->window = reinterpret_cast<HWND>(1);
    if (!StartCountThread(job)) return false;
    for (int waited = 0; waited < 500 && job->references.load() != 1; ++waited) Sleep(20);
    return job->references.load() == 1;
  }
};

TEST(CountThread, CountsAFolderAndEnds) {
  Tree tree;
  FillSample(tree);
  CountThreadRun run;
  ASSERT_TRUE(run.Run(nullptr, tree.root(), SFGAO_FOLDER | SFGAO_FILESYSTEM));
  EXPECT_EQ(run.results.countersReady.load(), 1);
  EXPECT_EQ(run.results.objects.load(), -1);
  const FolderCounts counts = run.results.Snapshot();
  EXPECT_EQ(counts.files[0], 2);
  EXPECT_EQ(counts.sizes[0] + counts.sizes[1], 6570u);
}

TEST(CountThread, CountsTheObjectsOfAVirtualFolder) {
  ASSERT_TRUE(State().Allocator.Ready() || State().Allocator.Acquire());
  LPITEMIDLIST drives = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)));
  CountThreadRun run;
  ASSERT_TRUE(run.Run(drives, "", SFGAO_FOLDER));
  EXPECT_EQ(run.results.countersReady.load(), 1);
  EXPECT_GE(run.results.objects.load(), 2);  // at least the prefix's C: and Z:
  ToolTipLines lines;
  SetObjectCountLines(lines, run.results.objects.load());
  EXPECT_NE(std::string(lines[3]).find(" Objects"), std::string::npos);
}

// The height of the tip window once the timer ticks of a menu loop have run (they refresh the
// counts, repaint and resize it).
long TipHeightAfterTicks() {
  const DWORD end = GetTickCount() + 600;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  RECT rect{};
  HWND tip = FindWindowA("QuilloToolTipWnd", nullptr);
  return tip != nullptr && GetWindowRect(tip, &rect) ? rect.bottom - rect.top : -1;
}

OwnedIdList ParsedList(const std::string& path) {
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  LPITEMIDLIST list = nullptr;
  Desktop()->ParseDisplayName(nullptr, nullptr, wide, nullptr, &list, nullptr);
  return OwnedIdList(ListAllocator(), list);
}

// The state a tool tip needs, as the extension's initialisation and an open menu leave it.
void PrepareToolTips(ExtensionState& state) {
  ASSERT_TRUE(state.Allocator.Ready() || state.Allocator.Acquire());
  if (!state.DesktopFolder) {
    ASSERT_EQ(SHGetDesktopFolder(&state.DesktopFolder), S_OK);
  }
  state.ModuleInstance = GetModuleHandleA(nullptr);
  state.Metrics.TextHeight = 13;
  state.OwnMenuActive = 1;
  RegisterToolTipClass(state.ModuleInstance);
}

// A file's tip shown while the count of the folder shown before it was still publishing: the
// file's tip keeps its four lines (name, path, type, size) and never takes the folder's
// figures.
TEST(ToolTip, ShowsOnlyTheFiguresOfItsOwnItem) {
  Tree tree;
  tree.Folder("many");
  for (int i = 0; i < 600; ++i) tree.Folder("many\\d" + std::to_string(i));
  tree.File("note.txt", 10);
  ExtensionState& state = State();
  ASSERT_NO_FATAL_FAILURE(PrepareToolTips(state));
  const OwnedIdList folderList = ParsedList(tree.Path("many"));
  const OwnedIdList fileList = ParsedList(tree.Path("note.txt"));
  ASSERT_TRUE(folderList && fileList);
  const MenuEntry folder = MakeRootEntry(static_cast<LPITEMIDLIST>(folderList.get()), SFGAO_FOLDER | SFGAO_FILESYSTEM);
  const MenuEntry file = MakeRootEntry(static_cast<LPITEMIDLIST>(fileList.get()), SFGAO_FILESYSTEM);

  ShowToolTip(file);
  const long fileAlone = TipHeightAfterTicks();
  ShowToolTip(folder);
  const long folderTip = TipHeightAfterTicks();
  ASSERT_GT(folderTip, fileAlone) << "the folder's counts were not shown";
  ShowToolTip(folder);
  Sleep(150);  // its count publishes; no tick of the menu loop comes in between
  ShowToolTip(file);
  EXPECT_EQ(TipHeightAfterTicks(), fileAlone);
  HideToolTip();
  state.OwnMenuActive = 0;
}

// Moves and raises of the tip window seen by the hook below.
int g_tipRaises = 0;
LRESULT CALLBACK CountTipRaises(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  char name[32];
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGING &&
      GetClassNameA(call->hwnd, name, sizeof name) && std::strcmp(name, "QuilloToolTipWnd") == 0) {
    ++g_tipRaises;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The tip is raised by its timer only when a window came above it, and then it is on top again.
TEST(ToolTip, IsRaisedOnlyWhenAWindowCameAboveIt) {
  Tree tree;
  tree.File("note.txt", 10);
  ExtensionState& state = State();
  ASSERT_NO_FATAL_FAILURE(PrepareToolTips(state));
  const OwnedIdList fileList = ParsedList(tree.Path("note.txt"));
  ASSERT_TRUE(fileList);
  ShowToolTip(MakeRootEntry(static_cast<LPITEMIDLIST>(fileList.get()), SFGAO_FILESYSTEM));
  TipHeightAfterTicks();  // sized and placed
  HWND tip = FindWindowA("QuilloToolTipWnd", nullptr);
  ASSERT_NE(tip, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountTipRaises, nullptr, GetCurrentThreadId());
  g_tipRaises = 0;
  TipHeightAfterTicks();
  EXPECT_EQ(g_tipRaises, 0) << "raised while on top";
  HWND above = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE,
                               0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(GetWindow(tip, GW_HWNDPREV), nullptr) << "the new window did not come above the tip";
  TipHeightAfterTicks();
  EXPECT_GT(g_tipRaises, 0);
  EXPECT_EQ(GetWindow(tip, GW_HWNDPREV), nullptr) << "the tip was not raised above the new window";
  UnhookWindowsHookEx(hook);
  DestroyWindow(above);
  HideToolTip();
  state.OwnMenuActive = 0;
}

}  // namespace
}  // namespace quillo
