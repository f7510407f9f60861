#include "favorites_list.h"

#include "model_context.h"
#include "stored_id_list.h"

namespace quillo {

void FavoritesList::Load(const ModelContext& context) {
  const Ownership owner(*this);
  Reset(context.allocator);
  if (context.options->favoritesEnabled == 0) return;
  const int shown = ShownSlots(context.options->favoritesCount);
  for (int i = 0; i < shown; ++i) {
    const StoredIdList stored = ReadStoredIdList(context.dataFolder, "FAV", i, context.allocator);
    if (stored.kind == StoredKind::kMissing) break;
    separators_[i] = stored.kind == StoredKind::kSeparator;
    slots_[i] = stored.list;  // null for a separator and for an invalid file
  }
}

}  // namespace quillo
