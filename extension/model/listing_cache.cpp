#include "listing_cache.h"

#include <new>

#include "folder_enumeration.h"
#include "sent_message_wait.h"
#include "shell_attributes.h"
#include "shell_item.h"

namespace quillo {
namespace {

constexpr DWORD kWaitPollMs = 20;
constexpr DWORD kReleasePollMs = 10;
// How long emptying the cache waits for cancelled threads: they stop at their next check, but a
// shell call into an unreachable network folder may not return for many seconds.
constexpr DWORD kReleaseWaitMs = 500;

struct ThreadStart {
  ModelContext* context;
  FolderListing* listing;
};

DWORD WINAPI EnumerationThread(void* parameter) {
  const ThreadStart start = *static_cast<ThreadStart*>(parameter);
  delete static_cast<ThreadStart*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  EnumerateListing(*start.context, *start.listing);
  if (SUCCEEDED(com)) CoUninitialize();
  LetGoOfListing(start.listing);
  return 0;
}

// The default test of the wait: the pointer is still on the highlighted entry and no mouse
// button is down.
bool PointerStillOnEntry(const ModelContext& context) {
  if (context.keepWaiting != nullptr) return context.keepWaiting(context.keepWaitingCookie);
  if ((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) & 0x8000) return false;
  if (context.selectedItemRect == nullptr) return true;
  POINT cursor{};
  return GetCursorPos(&cursor) && PtInRect(context.selectedItemRect, cursor);
}

HANDLE StartThread(const ModelContext& context, LPTHREAD_START_ROUTINE routine, void* parameter) {
  if (context.startThread != nullptr) return context.startThread(routine, parameter);
  return CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
}

}  // namespace

bool EnumerateAndWait(ModelContext& context, FolderListing& listing, LPCITEMIDLIST idList) {
  if (idList != nullptr && listing.idList == nullptr) {
    listing.idList = CopyIdList(context.allocator, idList);
  }
  auto* start = new (std::nothrow) ThreadStart{&context, &listing};
  HANDLE thread = nullptr;
  if (start != nullptr) {
    listing.users.fetch_add(1, std::memory_order_acq_rel);
    thread = StartThread(context, EnumerationThread, start);
    if (thread == nullptr) {
      delete start;
      listing.users.fetch_sub(1, std::memory_order_acq_rel);
    }
  }
  if (thread == nullptr) {
    // Never enumerated: marked like an abandoned listing, so that it is never handed out later
    // as a finished (empty) one.
    listing.cancel.store(1, std::memory_order_relaxed);
    return false;
  }
  for (;;) {
    if (!PointerStillOnEntry(context)) listing.cancel.store(1, std::memory_order_relaxed);
    if (listing.cancel.load(std::memory_order_relaxed) != 0) break;
    if (WaitForSingleObject(thread, kWaitPollMs) == WAIT_OBJECT_0) break;
  }
  CloseHandle(thread);  // never killed: a cancelled thread ends at its next check
  return listing.cancel.load(std::memory_order_relaxed) == 0;
}

FolderListing* ListingCache::FindReusable(LPCITEMIDLIST idList) {
  if (invalid_.load(std::memory_order_relaxed) != 0) return nullptr;
  for (std::size_t i = 0; i < listings_.count(); ++i) {
    FolderListing* listing = listings_[i];
    if (listing->idList == nullptr || listing->cancel.load(std::memory_order_relaxed) != 0) {
      continue;
    }
    const HRESULT result = context_.desktop->CompareIDs(0, listing->idList, idList);
    if (SUCCEEDED(result) && HRESULT_CODE(result) == 0) return listing;
  }
  return nullptr;
}

FolderListing* ListingCache::Acquire(const MenuEntry& entry, bool addRecent,
                                     bool addFavorites) {
  const std::uint32_t kind = entry.attributes;
  const bool listKind = kind == kKindRecent || kind == kKindFavorites;
  if (entry.idList == nullptr && !listKind) return nullptr;
  if (!listKind) {
    if (FolderListing* cached = FindReusable(entry.idList)) {
      cached->users.fetch_add(1, std::memory_order_acq_rel);
      return cached;
    }
  }
  FolderListing* listing = CreateFolderListing(context_.allocator);
  if (listing == nullptr) return nullptr;
  listing->attributes.store(kind, std::memory_order_relaxed);
  listing->addParentEntry = entry.parentEntryFlag == 1;
  listing->addRecent = addRecent;
  listing->addFavorites = addFavorites;
  if (listings_.Append(listing) < 0) {
    DestroyFolderListing(listing);
    return nullptr;
  }
  listing->users.store(1, std::memory_order_release);
  if (EnumerateAndWait(context_, *listing, listKind ? nullptr : entry.idList)) return listing;
  Release(listing);
  return nullptr;
}

void ListingCache::Release(FolderListing* listing) {
  for (std::size_t i = 0; i < listings_.count(); ++i) {
    if (listings_[i] != listing) continue;
    if (listing->users.fetch_sub(1, std::memory_order_acq_rel) == 1 &&
        (listing->attributes.load(std::memory_order_relaxed) & kAttrFileSysAncestor) == 0) {
      listings_.RemoveAt(i);
      DestroyFolderListing(listing);
    }
    return;
  }
}

bool ListingCache::AnyHeld() const {
  for (std::size_t i = 0; i < listings_.count(); ++i) {
    if (listings_[i]->users.load(std::memory_order_acquire) > 0) return true;
  }
  return false;
}

void ListingCache::Empty() {
  for (std::size_t i = 0; i < listings_.count(); ++i) {
    listings_[i]->cancel.store(1, std::memory_order_relaxed);
  }
  const DWORD start = GetTickCount();
  while (AnyHeld() && GetTickCount() - start < kReleaseWaitMs) {
    WaitAnsweringSentMessages(kReleasePollMs);
  }
  for (std::size_t i = 0; i < listings_.count(); ++i) {
    FolderListing* listing = listings_[i];
    // Still held: its last holder destroys it.
    if (listing->users.fetch_add(kListingHandedOver, std::memory_order_acq_rel) == 0) {
      DestroyFolderListing(listing);
    }
  }
  listings_.Clear();
  invalid_.store(0, std::memory_order_relaxed);
}

}  // namespace quillo
