#include "recent_list.h"

#include "data_file.h"
#include "model_context.h"
#include "shell_item.h"
#include "stored_id_list.h"

namespace quillo {
namespace {

constexpr char kRecentFile[] = "MRU";
constexpr std::size_t kParsingNameSize = 520;

bool HasParsingName(const ModelContext& context, LPCITEMIDLIST list) {
  char name[kParsingNameSize];
  return GetDisplayName(context.desktop, list, name, sizeof name, SHGDN_FORPARSING) == 0;
}

}  // namespace

void RecentList::Load(const ModelContext& context) {
  const Ownership owner(*this);  // an add that is saving finishes first
  Reset(context.allocator);
  const OptionsRecord& options = *context.options;
  if (options.recentClearAtLogon != 0) {
    DeleteDataFileSeries(context.dataFolder, kRecentFile);
    return;
  }
  if (options.recentEnabled == 0) return;
  const int shown = ShownSlots(options.recentCount);
  for (int i = 0; i < shown; ++i) {
    const StoredIdList stored = ReadStoredIdList(context.dataFolder, kRecentFile, i,
                                                 context.allocator);
    if (stored.kind == StoredKind::kMissing) break;
    if (stored.kind != StoredKind::kList) continue;
    if (!HasParsingName(context, stored.list)) {
      context.allocator->Free(stored.list);
      continue;
    }
    slots_[i] = stored.list;
  }
}

void RecentList::Add(const ModelContext& context, LPITEMIDLIST list) {
  if (list == nullptr) return;
  const Ownership owner(*this);
  if (allocator_ == nullptr) allocator_ = context.allocator;
  // Items are the same when their real paths are: two ANSI paths of question marks can stand
  // for different files.
  wchar_t name[kParsingNameSize];
  GetDisplayName(context.desktop, list, name, kParsingNameSize, SHGDN_FORPARSING);
  const int shown = ShownSlots(context.options->recentCount);
  if (shown == 0 || context.options->recentEnabled == 0) {
    allocator_->Free(list);
    return;
  }
  Compact();
  int at = 0;
  for (; at < shown; ++at) {
    if (slots_[at] == nullptr) continue;
    wchar_t other[kParsingNameSize];
    GetDisplayName(context.desktop, slots_[at], other, kParsingNameSize, SHGDN_FORPARSING);
    if (lstrcmpiW(name, other) == 0) {
      allocator_->Free(list);
      list = slots_[at];
      slots_[at] = nullptr;
      break;
    }
  }
  if (at == shown) {
    at = shown - 1;  // the oldest shown item leaves the list
    FreeSlot(at);
  }
  for (; at > 0; --at) slots_[at] = slots_[at - 1];
  slots_[0] = list;
  SaveOwned(context);
}

void RecentList::Save(const ModelContext& context) {
  const Ownership owner(*this);
  SaveOwned(context);
}

void RecentList::SaveOwned(const ModelContext& context) {
  const int shown = ShownSlots(context.options->recentCount);
  for (int i = 0; i < shown; ++i) {
    if (slots_[i] != nullptr && !HasParsingName(context, slots_[i])) FreeSlot(i);
  }
  // Written without gaps; the file after the last item is removed so that the next load ends
  // there rather than bring back an older copy of an item that moved.
  const int count = Compact();
  for (int i = 0; i < count && i < shown; ++i) {
    WriteDataFile(context.dataFolder, kRecentFile, i, slots_[i], IdListSize(slots_[i]));
  }
  if (count < shown) {
    char path[MAX_PATH];
    if (BuildDataFilePath(context.dataFolder, kRecentFile, count, path, sizeof path)) {
      DeleteFileA(path);  // absent already when the list did not shrink
    }
  }
}

}  // namespace quillo
