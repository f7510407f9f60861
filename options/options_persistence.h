// Loading and saving the options record, the favourites and the mirrored system settings.
#pragma once

namespace quillo {

enum SaveMode : int { kSavePlain = 0, kSaveApply = 1, kSaveOk = 2 };

// Reads "Options", the favourites (whatever favoritesEnabled says, so that a save never drops
// stored favourites), Explorer's "Hidden" while includeHidden is -1, and "MenuShowDelay".
void LoadOptions();

// Writes "Options", the favourites and "MenuShowDelay", then brings the unknown-type command in
// step, restarting elevated for Apply and OK when Windows would refuse the write.
void SaveOptions(int mode);

// The favourites step of a save: deletes every "FAV" file, then writes the first
// favoritesCount slots.
void SaveFavorites();

}  // namespace quillo
