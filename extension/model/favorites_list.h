// The favourites: a list of shell items and separators edited by the options program, kept in
// the files FAV0.lcf, FAV1.lcf, ... of the data folder.
#pragma once

#include "list_slots.h"

namespace quillo {

struct ModelContext;

class FavoritesList : public ListSlots {
 public:
  // Rebuilds the list from its files. A missing file ends the list; a file that is not a
  // well-formed list (nor the separator marker) leaves its slot empty and loading goes on.
  void Load(const ModelContext& context);
};

}  // namespace quillo
