#include "count_thread.h"

#include <shlobj.h>
#include <wrl/client.h>

#include "directory_search.h"
#include "shell_item.h"

namespace quillo {
namespace {

bool Hidden(const WIN32_FIND_DATAW& found) {
  return (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool HiddenProtected(const WIN32_FIND_DATAW& found) {
  return Hidden(found) && (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
}

bool TipGone(const FolderCount& count) {
  return count.window->load(std::memory_order_acquire) == nullptr;
}

// A folder outside the file system: the number of objects it enumerates.
void CountObjects(CountJob& job) {
  Microsoft::WRL::ComPtr<IShellFolder> desktop, folder;
  if (FAILED(SHGetDesktopFolder(&desktop))) return;
  if (job.item && IsEmptyIdList(job.item.get())) {
    folder = desktop;
  } else if (!job.item || FAILED(desktop->BindToObject(AsIdList(job.item.get()), nullptr,
                                                        IID_PPV_ARGS(&folder)))) {
    return;
  }
  SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  if (job.includeAllExtensions) flags |= SHCONTF_INCLUDEHIDDEN;
  Microsoft::WRL::ComPtr<IEnumIDList> items;
  int objects = 0;
  if (folder->EnumObjects(nullptr, flags, &items) == S_OK && items) {
    LPITEMIDLIST child = nullptr;
    while (job.window.load(std::memory_order_acquire) != nullptr &&
           items->Next(1, &child, nullptr) == S_OK) {
      CoTaskMemFree(child);
      ++objects;
    }
  }
  job.results.objects.store(objects, std::memory_order_relaxed);
  job.results.countersReady.store(1, std::memory_order_release);
}

DWORD WINAPI CountThread(void* parameter) {
  CountJob* job = static_cast<CountJob*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY);
  // A file-system folder is counted through its path; one without a drive or network path
  // (never searched relative to the current directory) is counted as a container.
  if ((job->attributes & SFGAO_FILESYSTEM) && IsAbsolutePath(job->path)) {
    FolderCount count{&job->window, &job->results, job->includeAllExtensions, {}};
    CountFolder(job->path, 0, count);
  } else {
    CountObjects(*job);
  }
  HWND window = job->window.load(std::memory_order_acquire);
  if (IsWindow(window)) PostMessageA(window, WM_TIMER, kToolTipTimerId, 0);
  ReleaseCountJob(job);
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

}  // namespace

void CountResults::Publish(const FolderCounts& counts) {
  for (int d = 0; d < 2; ++d) {
    files[d].store(counts.files[d], std::memory_order_relaxed);
    folders[d].store(counts.folders[d], std::memory_order_relaxed);
    hiddenProtected[d].store(counts.hiddenProtected[d], std::memory_order_relaxed);
    sizes[d].store(counts.sizes[d], std::memory_order_relaxed);
  }
  countersReady.store(1, std::memory_order_release);
}

FolderCounts CountResults::Snapshot() const {
  FolderCounts counts;
  for (int d = 0; d < 2; ++d) {
    counts.files[d] = files[d].load(std::memory_order_relaxed);
    counts.folders[d] = folders[d].load(std::memory_order_relaxed);
    counts.hiddenProtected[d] = hiddenProtected[d].load(std::memory_order_relaxed);
    counts.sizes[d] = sizes[d].load(std::memory_order_relaxed);
  }
  return counts;
}

void CountFolder(const wchar_t* path, int depth, FolderCount& count) {
  if (TipGone(count)) return;
  wchar_t base[kScanPathSize];
  if (!DirectoryBase(base, kScanPathSize, path)) return;
  FolderCounts& c = count.counts;
  SearchDirectory(base, [&](const WIN32_FIND_DATAW& found) {
    if (TipGone(count)) return false;
    const bool isProtected = HiddenProtected(found);
    if (isProtected) ++c.hiddenProtected[depth];
    if (!count.includeAllExtensions && Hidden(found)) return true;
    if (!IsDirectory(found)) {
      if (!isProtected) ++c.files[depth];
      c.sizes[depth] += FoundSize(found);
    } else if (!IsDotEntry(found.cFileName)) {
      if (!isProtected) ++c.folders[depth];
      wchar_t child[kScanPathSize];
      if (JoinScanPath(child, kScanPathSize, base, found.cFileName)) CountFolder(child, 1, count);
    }
    return true;
  });
  if (!TipGone(count)) count.results->Publish(c);
}

bool StartCountThread(CountJob* job) {
  job->references.fetch_add(1, std::memory_order_acq_rel);
  HANDLE thread = CreateThread(nullptr, 0, CountThread, job, 0, nullptr);
  if (thread == nullptr) {
    job->references.fetch_sub(1, std::memory_order_acq_rel);
    return false;
  }
  CloseHandle(thread);
  return true;
}

void ReleaseCountJob(CountJob* job) {
  if (job != nullptr && job->references.fetch_sub(1, std::memory_order_acq_rel) == 1) delete job;
}

}  // namespace quillo
