// The recent items: lists opened or used as drop targets through the menus, newest first, kept
// in the files MRU0.lcf, MRU1.lcf, ... of the data folder.
#pragma once

#include "list_slots.h"

namespace quillo {

struct ModelContext;

class RecentList : public ListSlots {
 public:
  // Rebuilds the list from its files (or deletes them when the list is cleared at every logon).
  // A file that is not a well-formed list, or whose item has no name any more, leaves its slot
  // empty and loading goes on with the next file: the items after it keep their places.
  void Load(const ModelContext& context);

  // Puts list (owned from now on) in front; an item with the same parsing name (case ignored)
  // moves there instead of being repeated. The item pushed past the shown range is freed. The
  // gaps left by bad files close. Then saves.
  void Add(const ModelContext& context, LPITEMIDLIST list);

  // Writes the shown items to MRU0.lcf, MRU1.lcf, ... without gaps; items without a name any
  // more are dropped first.
  void Save(const ModelContext& context);

 private:
  void SaveOwned(const ModelContext& context);
};

}  // namespace quillo
