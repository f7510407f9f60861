// Key C inside the menus: the names (Shift: full paths) of the highlighted entry, or of all
// children of a highlighted folder in the order its open Explorer window shows them, go to the
// clipboard as text, one per line.
#pragma once

namespace quillo {

void CopyNamesToClipboard(bool fullPaths);

}  // namespace quillo
